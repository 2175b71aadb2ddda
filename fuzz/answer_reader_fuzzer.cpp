// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Feeds arbitrary bytes to the reader of the site's answers as the bytes of one connection, and
// checks what must hold whatever a site sends:
// - each byte is read once: however the connection brings the bytes (all at once, or in pieces
//   whose sizes the input picks), the reader reads the same answer and ends it at the same byte;
//   until then it counts every byte given as read, after it none more;
// - at most one answer: one head at most, its body only after it, then one end or refusal, and
//   nothing after that; a closed connection always ends the answer one way or the other;
// - a head holds only what can be sent back safely: a final status, the fields asked for by
//   their lower-case names, and values without blanks around them or any control character but
//   the tab.
// A broken property aborts with a message, which libFuzzer reports as a crash.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "http/answer_reader.h"

namespace {

using namespace quintara::http;

void require(bool holds, const char* property) {
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", property);
        std::abort();
    }
}

const std::vector<std::string> kFieldsKept = {"content-type", "location", "set-cookie",
                                              "content-length"};

struct Ended {
    friend bool operator==(Ended, Ended) = default;
};

struct Read {
    std::optional<AnswerHead> head;
    std::string body;
    std::optional<std::variant<Ended, Refusal>> ending;
    std::uint64_t bytesRead = 0;  // at the answer's end
};

void checkHead(const AnswerHead& head) {
    require(head.status >= 200 && head.status <= 599, "only a final answer's head is read");
    for (const Field& field : head.fields) {
        require(std::find(kFieldsKept.begin(), kFieldsKept.end(), field.name) != kFieldsKept.end(),
                "only the fields asked for are kept, by their lower-case names");
        require(std::none_of(field.value.begin(), field.value.end(),
                             [](char c) {
                                 const auto byte = static_cast<unsigned char>(c);
                                 return (byte < 0x20 && c != '\t') || byte == 0x7f;
                             }),
                "no value holds a control character but the tab");
        require(
            field.value.empty() || (!isBlank(field.value.front()) && !isBlank(field.value.back())),
            "no value has blanks around it");
    }
}

// The bytes given in pieces of the sizes `pieces` lists in turn, then the connection closed.
Read readAnswer(std::string_view bytes, const std::vector<std::size_t>& pieces) {
    AnswerReader reader(kFieldsKept);
    Read read;
    std::uint64_t given = 0;
    bool endedBefore = false;
    const auto readWhatArrived = [&] {
        while (std::optional<Reading> reading = reader.next()) {
            require(!read.ending, "nothing is read after the answer's end");
            if (auto* head = std::get_if<HeadRead>(&*reading)) {
                require(!read.head, "an answer has one head");
                checkHead(head->head);
                read.head = std::move(head->head);
            } else if (const auto* body = std::get_if<BodyRead>(&*reading)) {
                require(read.head.has_value(), "a body comes after its head");
                require(!body->bytes.empty(), "a piece of the body holds bytes");
                read.body += body->bytes;
            } else if (const auto* refused = std::get_if<AnswerRefused>(&*reading)) {
                read.ending = refused->why;
            } else {
                require(read.head.has_value(), "an answer ends after its head");
                read.ending = Ended{};
            }
        }
        require(reader.bytesRead() <= given, "no byte is read that was not given");
        if (!read.ending) {
            require(reader.bytesRead() == given, "until the answer ends, every byte given is read");
        } else if (!endedBefore) {
            read.bytesRead = reader.bytesRead();
            endedBefore = true;
        } else {
            require(reader.bytesRead() == read.bytesRead,
                    "once the answer has ended, no byte more is read");
        }
    };
    std::size_t at = 0;
    for (std::size_t turn = 0; at < bytes.size(); ++turn) {
        const std::string_view piece = bytes.substr(at, pieces[turn % pieces.size()]);
        reader.take(piece);
        given += piece.size();
        at += piece.size();
        readWhatArrived();
    }
    reader.close();
    readWhatArrived();
    require(read.ending.has_value(), "a closed connection ends the answer");
    require(read.body.size() <= read.bytesRead, "the body is no larger than what was read");
    return read;
}

// Piece sizes from 1 to 64 bytes, picked from the bytes, so that a run is repeatable.
std::vector<std::size_t> piecesOf(std::string_view bytes) {
    std::uint32_t hash = 2166136261u;
    std::vector<std::size_t> pieces;
    for (const char byte : bytes.substr(0, 16)) {
        hash = (hash ^ static_cast<unsigned char>(byte)) * 16777619u;
        pieces.push_back(1 + hash % 64);
    }
    return pieces.empty() ? std::vector<std::size_t>{1} : pieces;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const Read whole = readAnswer(bytes, {std::max<std::size_t>(size, 1)});
    const Read inPieces = readAnswer(bytes, piecesOf(bytes));
    const Read oneByOne = readAnswer(bytes, {1});
    for (const Read* other : {&inPieces, &oneByOne}) {
        require(
            other->head == whole.head && other->body == whole.body && other->ending == whole.ending,
            "the answer read is the same however its bytes arrive");
        require(
            !std::holds_alternative<Ended>(*whole.ending) || other->bytesRead == whole.bytesRead,
            "the answer ends at the same byte however its bytes arrive");
    }
    return 0;
}
