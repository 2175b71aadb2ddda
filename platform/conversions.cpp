// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/conversions.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace quintara::platform {
namespace {

bool isSkipped(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Walks the text, passing over the characters that the conversion ignores.
class NumberScanner {
public:
    explicit NumberScanner(std::string_view text) : text_(text) {}

    char peek() {
        while (position_ < text_.size() && isSkipped(text_[position_])) {
            ++position_;
        }
        return position_ < text_.size() ? text_[position_] : '\0';
    }

    void advance() { ++position_; }

    bool accept(char c) {
        if (peek() != c) {
            return false;
        }
        advance();
        return true;
    }

    // Appends the run of digits at the current position; returns how many there were.
    std::size_t takeDigits(std::string& out) {
        std::size_t count = 0;
        while (isDigit(peek())) {
            out.push_back(peek());
            advance();
            ++count;
        }
        return count;
    }

private:
    std::string_view text_;
    std::size_t position_ = 0;
};

double parseNormalised(const std::string& number, bool negative) {
    double value = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error == std::errc::result_out_of_range) {
        // from_chars leaves the value alone when out of range: tell overflow from underflow by
        // the exponent's sign.
        const bool tiny = number.find("e-") != std::string::npos;
        value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    }
    return negative ? -value : value;
}

}  // namespace

double numericPrefix(std::string_view text) {
    NumberScanner scanner(text);
    bool negative = false;
    if (!scanner.accept('+')) {
        negative = scanner.accept('-');
    }

    std::string number;
    std::size_t mantissaDigits = scanner.takeDigits(number);
    if (scanner.accept('.')) {
        number.push_back('.');
        mantissaDigits += scanner.takeDigits(number);
    }
    if (mantissaDigits == 0) {
        return 0.0;
    }

    const char marker = scanner.peek();
    if (marker == 'E' || marker == 'e' || marker == 'D' || marker == 'd') {
        scanner.advance();
        std::string exponent = "e";
        if (!scanner.accept('+') && scanner.accept('-')) {
            exponent.push_back('-');
        }
        if (scanner.takeDigits(exponent) > 0) {
            number += exponent;
        }
    }
    return parseNormalised(number, negative);
}

std::optional<std::int16_t> roundToInt16(double value) {
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    const double below = std::floor(value);
    const double fraction = value - below;
    double rounded = below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0)) {
        rounded = below + 1.0;
    }
    if (rounded < std::numeric_limits<std::int16_t>::min() ||
        rounded > std::numeric_limits<std::int16_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(rounded);
}

double integerPart(double value) {
    return std::floor(value);
}

std::string integerToText(int value) {
    return std::string(DecimalText(value).view());
}

DecimalText::DecimalText(int value) {
    const auto result = std::to_chars(digits_.data(), digits_.data() + digits_.size(), value);
    length_ = static_cast<std::size_t>(result.ptr - digits_.data());
}

}  // namespace quintara::platform
