// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "conversions/list_input.h"

namespace quintara::conversions {
namespace {

constexpr int kEndOfFile = std::char_traits<char>::eof();

bool isLineEnd(int c) {
    return c == '\r' || c == '\n';
}

}  // namespace

std::optional<std::string> ListInput::readField() {
    if (failed_ || peek() == kEndOfFile) {
        failed_ = true;
        return std::nullopt;
    }
    consumed_ = 0;
    while ((peek() == ' ' || peek() == '\t') && !overLimit()) {
        take();
    }

    std::string field;
    Stop stop;
    if (peek() == '"') {
        take();
        while (peek() != '"' && peek() != kEndOfFile && !isLineEnd(peek()) && !overLimit()) {
            field.push_back(static_cast<char>(peek()));
            take();
        }
        if (peek() == '"') {
            take();
        }
        stop = readUntilDelimiter(nullptr);
    } else {
        stop = readUntilDelimiter(&field);
    }

    if (overLimit()) {
        failed_ = true;
        return std::nullopt;
    }
    finishLine(stop);
    return field;
}

int ListInput::peek() {
    try {
        return in_.sgetc();
    } catch (...) {
        // A stream buffer that throws on a read error (a directory, a vanished file) ends the
        // read like the end of the file does.
        return kEndOfFile;
    }
}

void ListInput::take() {
    in_.sbumpc();
    ++consumed_;
}

ListInput::Stop ListInput::readUntilDelimiter(std::string* field) {
    while (!overLimit()) {
        const int c = peek();
        if (c == kEndOfFile) {
            return Stop::EndOfFile;
        }
        if (isLineEnd(c)) {
            return Stop::LineEnd;
        }
        take();
        if (c == ',') {
            return Stop::Comma;
        }
        if (field != nullptr) {
            field->push_back(static_cast<char>(c));
        }
    }
    return Stop::EndOfFile;
}

void ListInput::finishLine(Stop stop) {
    if (stop != Stop::LineEnd) {
        return;
    }
    if (peek() == '\r') {
        take();
        if (peek() == '\n') {
            take();
        }
    } else {
        take();
    }
}

}  // namespace quintara::conversions
