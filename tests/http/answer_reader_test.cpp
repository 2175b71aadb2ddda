// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "http/answer_reader.h"

#include <gtest/gtest.h>

#include <ostream>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

namespace quintara::http {
namespace {

using namespace std::string_literals;

struct Ended {
    friend bool operator==(Ended, Ended) = default;
};
struct Waiting {
    friend bool operator==(Waiting, Waiting) = default;
};
using Ending = std::variant<Ended, Waiting, Refusal>;

enum class Connection { StaysOpen, Closes };
using enum Connection;

// What a reader made of the bytes of a connection.
struct Read {
    std::optional<AnswerHead> head;
    std::string body;
    Ending ending = Waiting{};
    std::uint64_t bytesRead = 0;

    friend bool operator==(const Read&, const Read&) = default;
    friend void PrintTo(const Read& read, std::ostream* os) {
        *os << "status " << (read.head ? read.head->status : 0) << ", fields";
        for (const Field& field : read.head ? read.head->fields : std::vector<Field>{}) {
            *os << " [" << field.name << ": " << field.value << "]";
        }
        *os << ", body \"" << read.body << "\", "
            << (std::holds_alternative<Ended>(read.ending)     ? "ended"
                : std::holds_alternative<Waiting>(read.ending) ? "waiting"
                                                               : "refused ")
            << (std::holds_alternative<Refusal>(read.ending)
                    ? static_cast<int>(std::get<Refusal>(read.ending))
                    : 0)
            << ", " << read.bytesRead << " bytes read";
    }
};

// The bytes given `piece` at a time, as a connection may bring them.
Read readAnswer(std::string_view bytes, std::size_t piece, Connection connection) {
    AnswerReader reader({"content-type", "location", "set-cookie"});
    Read read;
    const auto readWhatArrived = [&] {
        while (std::optional<Reading> reading = reader.next()) {
            EXPECT_TRUE(std::holds_alternative<Waiting>(read.ending)) << "read past the end";
            if (auto* head = std::get_if<HeadRead>(&*reading)) {
                EXPECT_FALSE(read.head) << "a second head";
                read.head = head->head;
            } else if (auto* body = std::get_if<BodyRead>(&*reading)) {
                EXPECT_TRUE(read.head) << "a body before its head";
                read.body += body->bytes;
            } else if (auto* refused = std::get_if<AnswerRefused>(&*reading)) {
                read.ending = refused->why;
            } else {
                read.ending = Ended{};
            }
        }
    };
    for (std::size_t at = 0; at < bytes.size(); at += piece) {
        reader.take(bytes.substr(at, piece));
        readWhatArrived();
    }
    if (connection == Closes) {
        reader.close();
        readWhatArrived();
    }
    read.bytesRead = reader.bytesRead();
    return read;
}

struct AnswerCase {
    std::string name;
    std::string answer;
    Connection connection;
    int status;  // of the head read; 0 for none
    std::string body;
    Ending ending;
    std::string fields = {};  // those kept, each "name: value" on a line of its own
    std::string after = {};   // bytes past the answer's end, which are not its own

    friend void PrintTo(const AnswerCase& c, std::ostream* os) { *os << c.name; }
};

const std::string kOk = "HTTP/1.1 200 OK\r\n";
const std::string kEmpty = "Content-Length: 0\r\n\r\n";
const std::string kChunked = kOk + "Transfer-Encoding: chunked\r\n\r\n";

std::string lines(int count, const std::string& line) {
    std::string all;
    for (int each = 0; each < count; ++each) {
        all += line;
    }
    return all;
}

std::vector<AnswerCase> answerCases() {
    using enum Refusal;
    const int fieldLines = static_cast<int>(AnswerReader::kMostFieldLines);
    return {
        // How an answer ends.
        {"LengthEndsTheBody", kOk + "Content-Length: 5\r\n\r\nhello", StaysOpen, 200, "hello",
         Ended{}, "", "HTTP/1.1 200 OK\r\n"},
        {"NoLengthReadsToTheClose", kOk + "\r\nhello", Closes, 200, "hello", Ended{}},
        {"NoLengthWaitsForTheClose", kOk + "\r\nhello", StaysOpen, 200, "hello", Waiting{}},
        {"HeadCutShort", kOk + "Content-Type: text/html\r\n", Closes, 0, "", CutShort},
        {"BodyCutShortOfItsLength", kOk + "Content-Length: 10\r\n\r\nhello", Closes, 200, "hello",
         CutShort},
        // Status lines.
        {"StatusWithoutReason", "HTTP/1.1 404\r\n" + kEmpty, StaysOpen, 404, "", Ended{}},
        {"Http10Answer", "HTTP/1.0 200 OK\r\n\r\nhi", Closes, 200, "hi", Ended{}},
        {"Http2StatusLineRefused", "HTTP/2 200 OK\r\n" + kEmpty, Closes, 0, "", StatusLine},
        {"TwoDigitStatusRefused", "HTTP/1.1 20 OK\r\n" + kEmpty, Closes, 0, "", StatusLine},
        {"FourDigitStatusRefused", "HTTP/1.1 2000 OK\r\n" + kEmpty, Closes, 0, "", StatusLine},
        {"StatusPast599Refused", "HTTP/1.1 600 Oltre\r\n" + kEmpty, Closes, 0, "", StatusLine},
        {"LowerCaseProtocolRefused", "http/1.1 200 OK\r\n" + kEmpty, Closes, 0, "", StatusLine},
        {"TwoBlanksBeforeStatusRefused", "HTTP/1.1  200 OK\r\n" + kEmpty, Closes, 0, "",
         StatusLine},
        {"BodyWithoutStatusLineRefused", "<p>ciao</p>\n", Closes, 0, "", StatusLine},
        {"EmptyLineBeforeStatusLineRefused", "\r\n" + kOk + kEmpty, Closes, 0, "", StatusLine},
        {"LineWithoutEndRefusedAtTheHeadsBound", std::string(AnswerReader::kMostHeadBytes, 'x'),
         StaysOpen, 0, "", HeadTooLarge},
        // Interim answers and answers without a body.
        {"InterimAnswersPassedOver",
         "HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 103 Early Hints\r\nSet-Cookie: early=1\r\n\r\n" +
             kOk + "Set-Cookie: late=1\r\nContent-Length: 2\r\n\r\nhi",
         StaysOpen, 200, "hi", Ended{}, "set-cookie: late=1"},
        {"SwitchOfProtocolRefused", "HTTP/1.1 101 Switching Protocols\r\nUpgrade: x\r\n\r\n",
         StaysOpen, 0, "", ProtocolSwitched},
        {"NoContentEndsWithItsHead", "HTTP/1.1 204 No Content\r\nContent-Length: 5\r\n\r\n",
         StaysOpen, 204, "", Ended{}, "", "hello"},
        {"NotModifiedEndsWithItsHeadThoughChunked",
         "HTTP/1.1 304 Not Modified\r\nTransfer-Encoding: chunked\r\n\r\n", StaysOpen, 304, "",
         Ended{}, "", "5\r\nhello\r\n0\r\n\r\n"},
        // Field lines.
        {"OnlyFieldsAskedForKeptInOrder",
         kOk +
             "Content-Type: text/html\r\nServer: prova\r\nSET-COOKIE: a=1\r\nX-Altro: 2\r\n"
             "set-cookie: b=2\r\n" +
             kEmpty,
         StaysOpen, 200, "", Ended{}, "content-type: text/html\nset-cookie: a=1\nset-cookie: b=2"},
        {"BareLineFeedsEndLines",
         "HTTP/1.1 200 OK\nContent-Type: text/html\nContent-Length: 2\n\nhi", StaysOpen, 200, "hi",
         Ended{}, "content-type: text/html"},
        {"FoldedLinesJoinTheirFieldBySpaces",
         kOk + "Set-Cookie: a=1;\r\n  Path=/\r\r\n\tHttpOnly\r\n" + kEmpty, StaysOpen, 200, "",
         Ended{}, "set-cookie: a=1; Path=/ HttpOnly"},
        {"FoldedLengthReadWhole", kOk + "Content-Length: 1\r\n 2\r\n\r\nhello", Closes, 0, "",
         Length},
        {"FoldRightAfterTheStatusLineRefused", kOk + " Set-Cookie: a=1\r\n" + kEmpty, Closes, 0, "",
         FieldLine},
        {"BareCrInsideAValueBecomesASpace", kOk + "Set-Cookie: a=1\rX-Iniettato: 1\r\n" + kEmpty,
         StaysOpen, 200, "", Ended{}, "set-cookie: a=1 X-Iniettato: 1"},
        {"ControlCharactersInAValueBecomeSpaces", kOk + "Location: /a\v\f\0b\x7f\r\n"s + kEmpty,
         StaysOpen, 200, "", Ended{}, "location: /a   b"},
        {"BlanksBeforeTheColonDropped", kOk + "Content-Type \t: text/html\r\n" + kEmpty, StaysOpen,
         200, "", Ended{}, "content-type: text/html"},
        {"LinesThatAreNoFieldsPassedOver",
         kOk + "senza due punti\r\nSet Cookie: a=1\r\n: a=2\r\n Set-Cookie: a=3\r\n" + kEmpty,
         StaysOpen, 200, "", Ended{}},
        {"AsManyFieldLinesAsAllowed", kOk + lines(fieldLines - 1, "a:\r\n") + kEmpty, StaysOpen,
         200, "", Ended{}},
        {"OneFieldLineTooManyRefused", kOk + lines(fieldLines, "a:\r\n") + kEmpty, StaysOpen, 0, "",
         HeadTooLarge},
        {"HeadPastItsBytesRefused",
         kOk + "Set-Cookie: " + std::string(AnswerReader::kMostHeadBytes, 'x') + "\r\n" + kEmpty,
         StaysOpen, 0, "", HeadTooLarge},
        // Lengths, which HTTP/1.1 lets no answer state twice differently (RFC 9110, section 8.6).
        {"EqualLengthsReadAsOne", kOk + "Content-Length: 2\r\nContent-Length: 02\r\n\r\nhi",
         StaysOpen, 200, "hi", Ended{}},
        {"ListOfEqualLengthsReadAsOne", kOk + "Content-Length: 2, 2\r\n\r\nhi", StaysOpen, 200,
         "hi", Ended{}},
        {"ConflictingLengthsRefused", kOk + "Content-Length: 2\r\nContent-Length: 3\r\n\r\nhi!",
         Closes, 0, "", Length},
        {"ConflictingLengthListRefused", kOk + "Content-Length: 2, 3\r\n\r\nhi!", Closes, 0, "",
         Length},
        {"SignedLengthRefused", kOk + "Content-Length: +2\r\n\r\nhi", Closes, 0, "", Length},
        {"EmptyLengthRefused", kOk + "Content-Length: \r\n\r\nhi", Closes, 0, "", Length},
        {"LengthPast18DigitsRefused", kOk + "Content-Length: 1000000000000000000\r\n\r\nhi", Closes,
         0, "", Length},
        {"LengthBesideChunkedGivesWay",
         kOk + "Content-Length: 100\r\nTransfer-Encoding: chunked\r\n\r\n2\r\nhi\r\n0\r\n\r\n",
         Closes, 200, "hi", Ended{}},
        // Chunks.
        {"ChunksWithExtensionsAndTrailers",
         kChunked + "5;nome=valore\r\nhello\r\n6 ; ultimo\r\n world\r\n0\r\nSet-Cookie: t=1\r\n"
                    "Expires: 0\r\n\r\n",
         StaysOpen, 200, "hello world", Ended{}, "", "HTTP/1.1 200 OK\r\n"},
        {"ChunkedInCapitalsWithBareLineFeeds",
         "HTTP/1.1 200 OK\nTransfer-Encoding: Chunked\n\nA\n0123456789\n0\n\n", StaysOpen, 200,
         "0123456789", Ended{}},
        {"ChunkedAfterAnotherCodingRefused",
         kOk + "Transfer-Encoding: gzip, chunked\r\n\r\n0\r\n\r\n", Closes, 0, "", TransferCoding},
        {"ChunkedTwiceRefused",
         kOk + "Transfer-Encoding: chunked\r\nTransfer-Encoding: chunked\r\n\r\n0\r\n\r\n", Closes,
         0, "", TransferCoding},
        {"ChunkedInHttp10Refused", "HTTP/1.0 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n0\r\n\r\n",
         Closes, 0, "", TransferCoding},
        {"ChunkSizeNotHexadecimalRefused", kChunked + "0x5\r\nhello\r\n0\r\n\r\n", Closes, 200, "",
         Chunk},
        {"ChunkSizePast60BitsRefused", kChunked + "1000000000000000\r\nhello", Closes, 200, "",
         Chunk},
        {"ChunkDataLongerThanItsSizeRefused", kChunked + "3\r\nhello\r\n0\r\n\r\n", Closes, 200,
         "hel", Chunk},
        {"ChunkLinePastItsBoundRefused",
         kChunked + "5;" + std::string(AnswerReader::kMostChunkLineBytes, 'x'), StaysOpen, 200, "",
         Chunk},
        {"ChunksCutShortRefused", kChunked + "5\r\nhello\r\n", Closes, 200, "hello", CutShort},
        {"TrailerLinesBoundAsAHeadsAre",
         kChunked + "0\r\n" + lines(fieldLines + 1, "a: 1\r\n") + "\r\n", StaysOpen, 200, "",
         HeadTooLarge},
    };
}

class AnswerReading : public ::testing::TestWithParam<AnswerCase> {};

std::optional<AnswerHead> headOf(const AnswerCase& c) {
    if (c.status == 0) {
        return std::nullopt;
    }
    AnswerHead head{c.status, {}};
    std::istringstream lines(c.fields);
    for (std::string line; std::getline(lines, line);) {
        const std::size_t colon = line.find(": ");
        head.fields.push_back({line.substr(0, colon), line.substr(colon + 2)});
    }
    return head;
}

// However the connection brings the bytes: all at once, one by one, or a few at a time.
TEST_P(AnswerReading, ReadsAsHttp11Says) {
    const AnswerCase& c = GetParam();
    const std::string bytes = c.answer + c.after;
    for (const std::size_t piece : {bytes.size(), std::size_t{1}, std::size_t{7}}) {
        const Read read = readAnswer(bytes, piece, c.connection);
        Read expected{headOf(c), c.body, c.ending, bytes.size()};
        if (std::holds_alternative<Ended>(c.ending)) {
            expected.bytesRead = c.answer.size();
        } else if (std::holds_alternative<Refusal>(c.ending)) {
            expected.bytesRead = read.bytesRead;
        }
        EXPECT_EQ(read, expected) << "given " << piece << " bytes at a time";
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, AnswerReading, ::testing::ValuesIn(answerCases()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace quintara::http
