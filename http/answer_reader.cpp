// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "http/answer_reader.h"

#include <algorithm>

namespace quintara::http {
namespace {

constexpr std::string_view kContentLength = "content-length";
constexpr std::string_view kTransferEncoding = "transfer-encoding";

// A value as the head keeps it, without the blanks around it: a bare CR, or any other control
// character, may end a line of a request it is sent back in, so each becomes a space (RFC 9110,
// section 5.5).
std::string fieldValueOf(std::string_view sent) {
    std::string value(sent);
    blankControlCharacters(value);
    return std::string(withoutBlanks(value));
}

bool endsTheAnswer(const Reading& reading) {
    return std::holds_alternative<AnswerEnded>(reading) ||
           std::holds_alternative<AnswerRefused>(reading);
}

}  // namespace

AnswerReader::AnswerReader(std::vector<std::string> fieldsKept)
    : fieldsKept_(std::move(fieldsKept)) {}

void AnswerReader::take(std::string_view arrived) {
    if (stage_ == Stage::Over || closed_) {
        return;
    }
    pending_.erase(0, at_);
    scanned_ = std::max(scanned_, at_) - at_;
    at_ = 0;
    pending_.append(arrived);
    bytesRead_ += arrived.size();
}

void AnswerReader::close() {
    closed_ = true;
}

std::optional<Reading> AnswerReader::next() {
    std::optional<Reading> reading;
    while (!reading && stage_ != Stage::Over) {
        if (!readSome(reading)) {
            if (!closed_) {
                return std::nullopt;
            }
            if (stage_ == Stage::BodyUntilClosed) {
                reading = AnswerEnded{};
            } else {
                reading = AnswerRefused{Refusal::CutShort};
            }
        }
    }
    if (reading && endsTheAnswer(*reading)) {
        stage_ = Stage::Over;
        bytesRead_ -= bytesWaiting();
        pending_ = std::string();
        at_ = 0;
        scanned_ = 0;
    }
    return reading;
}

// False when what has arrived is not enough to read anything more.
bool AnswerReader::readSome(std::optional<Reading>& reading) {
    switch (stage_) {
        case Stage::StatusLine:
            return readStatusLine(reading);
        case Stage::Fields:
            return readFieldLine(reading);
        case Stage::Body:
        case Stage::BodyUntilClosed:
        case Stage::ChunkData:
            return readBody(reading);
        case Stage::ChunkSize:
            return readChunkSize(reading);
        case Stage::ChunkDataEnd:
            return readChunkDataEnd(reading);
        case Stage::Trailers:
            return readTrailerLine(reading);
        case Stage::Over:
            break;
    }
    return false;
}

// The next line without its line end, CR LF or a bare LF (RFC 9112, section 2.2); none until its
// end has arrived. A line of more than `most` bytes with its end refuses the answer as soon as
// that many have arrived.
std::optional<std::string_view> AnswerReader::nextLine(std::size_t most, Refusal tooLong,
                                                       std::optional<Reading>& reading) {
    const std::size_t end = pending_.find('\n', std::max(at_, scanned_));
    if (end == std::string::npos) {
        scanned_ = pending_.size();
        if (bytesWaiting() >= most) {
            reading = AnswerRefused{tooLong};
        }
        return std::nullopt;
    }
    if (end - at_ + 1 > most) {
        reading = AnswerRefused{tooLong};
        return std::nullopt;
    }
    std::string_view line(pending_.data() + at_, end - at_);
    if (line.ends_with('\r')) {
        line.remove_suffix(1);
    }
    at_ = end + 1;
    scanned_ = at_;
    return line;
}

bool AnswerReader::readStatusLine(std::optional<Reading>& reading) {
    const std::size_t start = at_;
    const std::optional<std::string_view> line =
        nextLine(kMostHeadBytes, Refusal::HeadTooLarge, reading);
    if (!line) {
        return reading.has_value();
    }
    const std::optional<StatusLine> statusLine = statusLineOf(*line);
    if (!statusLine) {
        reading = AnswerRefused{Refusal::StatusLine};
        return true;
    }
    statusLine_ = *statusLine;
    fields_.clear();
    lastField_.reset();
    afterStatusLine_ = true;
    fieldLines_ = 0;
    headBytes_ = at_ - start;
    stage_ = Stage::Fields;
    return true;
}

// A line of a head or of trailers, within their bounds; an empty one ends them.
std::optional<std::string_view> AnswerReader::nextHeadLine(std::optional<Reading>& reading) {
    const std::size_t start = at_;
    const std::optional<std::string_view> line =
        nextLine(kMostHeadBytes - headBytes_, Refusal::HeadTooLarge, reading);
    if (line) {
        headBytes_ += at_ - start;
        if (!line->empty() && ++fieldLines_ > kMostFieldLines) {
            reading = AnswerRefused{Refusal::HeadTooLarge};
            return std::nullopt;
        }
    }
    return line;
}

bool AnswerReader::readFieldLine(std::optional<Reading>& reading) {
    const std::optional<std::string_view> line = nextHeadLine(reading);
    if (!line) {
        return reading.has_value();
    }
    if (line->empty()) {
        headEnded(reading);
    } else if (isBlank(line->front())) {
        // A folded line continues the field before it, joined by a space (RFC 9112, section
        // 5.2); right after the status line it continues nothing.
        if (afterStatusLine_) {
            reading = AnswerRefused{Refusal::FieldLine};
        } else if (lastField_) {
            const std::string more = fieldValueOf(*line);
            std::string& value = fields_[*lastField_].value;
            value += value.empty() || more.empty() ? "" : " ";
            value += more;
        }
    } else {
        afterStatusLine_ = false;
        keepFieldLine(*line);
    }
    return true;
}

// A line that is no field is passed over, as browsers pass it over.
void AnswerReader::keepFieldLine(std::string_view line) {
    lastField_.reset();
    const std::optional<FieldLine> field = fieldLineOf(line);
    if (!field) {
        return;
    }
    std::string name = lowerCase(field->name);
    if (name != kContentLength && name != kTransferEncoding &&
        std::find(fieldsKept_.begin(), fieldsKept_.end(), name) == fieldsKept_.end()) {
        return;
    }
    fields_.push_back({std::move(name), fieldValueOf(field->value)});
    lastField_ = fields_.size() - 1;
}

void AnswerReader::headEnded(std::optional<Reading>& reading) {
    const int status = statusLine_.status;
    if (status < 200) {
        // An interim answer; the answer itself follows. A switch to another protocol, which we
        // never ask for, leaves nothing of HTTP to read.
        if (status == 101) {
            reading = AnswerRefused{Refusal::ProtocolSwitched};
        }
        stage_ = Stage::StatusLine;
        return;
    }
    std::vector<std::string> lengths;
    std::vector<std::string> codings;
    AnswerHead head{status, {}};
    for (Field& field : fields_) {
        if (field.name == kContentLength) {
            lengths.push_back(field.value);
        } else if (field.name == kTransferEncoding) {
            codings.push_back(field.value);
        }
        if (std::find(fieldsKept_.begin(), fieldsKept_.end(), field.name) != fieldsKept_.end()) {
            head.fields.push_back(std::move(field));
        }
    }
    fields_.clear();
    const BodyFraming framing = bodyFramingOf(lengths, codings, statusLine_.http10);
    bodyLeft_ = 0;
    // Whatever their heads say, these end with them (RFC 9112, section 6.3).
    if (status == 204 || status == 304) {
        stage_ = Stage::Body;
    } else if (const auto* length = std::get_if<Length>(&framing)) {
        stage_ = Stage::Body;
        bodyLeft_ = length->bytes;
    } else if (std::holds_alternative<Chunked>(framing)) {
        stage_ = Stage::ChunkSize;
    } else if (std::holds_alternative<UntilClosed>(framing)) {
        stage_ = Stage::BodyUntilClosed;
    } else {
        reading =
            AnswerRefused{std::holds_alternative<UnknownLength>(framing) ? Refusal::Length
                                                                         : Refusal::TransferCoding};
        return;
    }
    reading = HeadRead{std::move(head)};
}

bool AnswerReader::readBody(std::optional<Reading>& reading) {
    if (stage_ != Stage::BodyUntilClosed && bodyLeft_ == 0) {
        if (stage_ == Stage::Body) {
            reading = AnswerEnded{};
        } else {
            stage_ = Stage::ChunkDataEnd;
        }
        return true;
    }
    std::size_t piece = bytesWaiting();
    if (piece == 0) {
        return false;
    }
    if (stage_ != Stage::BodyUntilClosed) {
        piece = static_cast<std::size_t>(std::min<std::uint64_t>(piece, bodyLeft_));
        bodyLeft_ -= piece;
    }
    reading = BodyRead{std::string_view(pending_.data() + at_, piece)};
    at_ += piece;
    return true;
}

bool AnswerReader::readChunkSize(std::optional<Reading>& reading) {
    const std::optional<std::string_view> line =
        nextLine(kMostChunkLineBytes, Refusal::Chunk, reading);
    if (!line) {
        return reading.has_value();
    }
    const std::optional<std::uint64_t> size = chunkSizeOf(*line);
    if (!size) {
        reading = AnswerRefused{Refusal::Chunk};
    } else if (*size == 0) {
        // The last chunk; the trailers after it are bounded as a head is.
        stage_ = Stage::Trailers;
        fieldLines_ = 0;
        headBytes_ = 0;
    } else {
        stage_ = Stage::ChunkData;
        bodyLeft_ = *size;
    }
    return true;
}

// The line end right after a chunk's data, and nothing else.
bool AnswerReader::readChunkDataEnd(std::optional<Reading>& reading) {
    const std::string_view waiting(pending_.data() + at_, bytesWaiting());
    if (waiting.empty() || waiting == "\r") {
        return false;
    }
    const std::size_t lineEnd = waiting.starts_with("\r\n") ? 2 : waiting.starts_with('\n') ? 1 : 0;
    if (lineEnd == 0) {
        reading = AnswerRefused{Refusal::Chunk};
        return true;
    }
    at_ += lineEnd;
    stage_ = Stage::ChunkSize;
    return true;
}

// The trailers are read past: nothing in them is for the band.
bool AnswerReader::readTrailerLine(std::optional<Reading>& reading) {
    const std::optional<std::string_view> line = nextHeadLine(reading);
    if (!line) {
        return reading.has_value();
    }
    if (line->empty()) {
        reading = AnswerEnded{};
    }
    return true;
}

}  // namespace quintara::http
