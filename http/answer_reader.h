// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "http/message_syntax.h"

namespace quintara::http {

// A field of an answer's head: its name in lower case, its value without the blanks around it
// and with each control character (a bare CR among them) turned into a space, so that nothing
// of it can end a line of a request it is sent back in.
struct Field {
    std::string name;
    std::string value;

    friend bool operator==(const Field&, const Field&) = default;
};

// The status of an answer and the fields of its head its reader was asked to keep, in the order
// they came.
struct AnswerHead {
    int status = 0;
    std::vector<Field> fields;

    friend bool operator==(const AnswerHead&, const AnswerHead&) = default;
};

// Why an answer was refused.
enum class Refusal {
    StatusLine,        // no status line of an HTTP/1.x answer
    ProtocolSwitched,  // a 101 answer: what follows is no HTTP any more
    FieldLine,         // a folded line with no field before it to continue
    HeadTooLarge,      // more field lines or bytes than AnswerReader allows, in a head or trailers
    Length,            // a Content-Length that is not one number
    TransferCoding,    // a transfer coding other than chunked alone
    Chunk,             // a chunk's size line, or the line end after its data, malformed
    CutShort,          // the connection ended before the answer did
};

// What an AnswerReader has read: the head of the answer (once), a piece of its body (a view into
// the reader, good until it is next asked or given bytes), the answer's end, or its refusal.
struct HeadRead {
    AnswerHead head;
};
struct BodyRead {
    std::string_view bytes;
};
struct AnswerEnded {};
struct AnswerRefused {
    Refusal why;
};

using Reading = std::variant<HeadRead, BodyRead, AnswerEnded, AnswerRefused>;

// Reads one answer to a GET from the bytes of its connection, as they arrive, as HTTP/1.1 says
// (RFC 9112): interim 1xx answers are passed over; the head keeps only the fields it was asked
// for (and reads the framing fields itself), bare LF line ends and folded lines are read as
// recipients may read them; the body ends at its length, its last chunk and trailers, or the
// connection's end; a 204 or 304 answer has none. What the answer's framing leaves ambiguous is
// refused rather than guessed at. Nothing past the answer's end is read, and at most one answer
// is: after its end or refusal the reader reads nothing more.
//
// Every head (and trailer section) is bounded as it arrives, whatever the connection's budget:
// a site's answer of 697,664 short lines once held 82 MB of the program's memory until it ended.
class AnswerReader {
public:
    // Far above any head a site of ours sends, and the bound browsers keep for its bytes.
    static constexpr std::size_t kMostFieldLines = 256;
    static constexpr std::size_t kMostHeadBytes = 256 * 1024;
    // A chunk's size, and any extensions after it.
    static constexpr std::size_t kMostChunkLineBytes = 4096;

    // `fieldsKept`: the names, in lower case, of the fields the head is to hold.
    explicit AnswerReader(std::vector<std::string> fieldsKept = {});

    // Bytes the connection brought, after those given before.
    void take(std::string_view arrived);
    // The connection ended: an answer that lasts until then ends, any other is cut short.
    void close();
    // What was read since last asked, one reading at a time; none while more bytes are needed,
    // and none once the answer has ended or been refused.
    std::optional<Reading> next();

    // How many of the bytes given belong to the answer: all of them until it ends, then the
    // answer's own alone.
    std::uint64_t bytesRead() const { return bytesRead_; }

private:
    enum class Stage {
        StatusLine,
        Fields,
        Body,
        BodyUntilClosed,
        ChunkSize,
        ChunkData,
        ChunkDataEnd,
        Trailers,
        Over
    };

    bool readSome(std::optional<Reading>& reading);
    std::optional<std::string_view> nextLine(std::size_t most, Refusal tooLong,
                                             std::optional<Reading>& reading);
    std::optional<std::string_view> nextHeadLine(std::optional<Reading>& reading);
    bool readStatusLine(std::optional<Reading>& reading);
    bool readFieldLine(std::optional<Reading>& reading);
    void keepFieldLine(std::string_view line);
    void headEnded(std::optional<Reading>& reading);
    bool readBody(std::optional<Reading>& reading);
    bool readChunkSize(std::optional<Reading>& reading);
    bool readChunkDataEnd(std::optional<Reading>& reading);
    bool readTrailerLine(std::optional<Reading>& reading);
    std::size_t bytesWaiting() const { return pending_.size() - at_; }

    std::vector<std::string> fieldsKept_;
    std::string pending_;
    std::size_t at_ = 0;       // where in pending_ the unread bytes begin
    std::size_t scanned_ = 0;  // how far pending_ holds no line end past at_
    bool closed_ = false;
    std::uint64_t bytesRead_ = 0;
    Stage stage_ = Stage::StatusLine;

    // The head being read: its status, the fields it holds (kept or framing), and how much of
    // its bounds it has used.
    StatusLine statusLine_;
    std::vector<Field> fields_;
    std::optional<std::size_t> lastField_;  // the field a folded line continues, if it is kept
    bool afterStatusLine_ = true;
    std::size_t fieldLines_ = 0;
    std::size_t headBytes_ = 0;

    std::uint64_t bodyLeft_ = 0;
};

}  // namespace quintara::http
