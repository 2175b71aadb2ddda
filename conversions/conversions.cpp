// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "conversions/conversions.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace quintara::conversions {
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

// A number as scanned: its text for from_chars, and the power of ten of its leading digit, which
// tells an overflow from an underflow when the value is beyond a double.
struct ScannedNumber {
    std::string text;
    long long magnitude = 0;
    bool negative = false;
};

// The value of a run of exponent digits, held at a billion: far beyond any double either way.
long long saturatedExponent(std::string_view digits) {
    constexpr long long kBeyondEveryDouble = 1'000'000'000;
    long long exponent = 0;
    for (const char digit : digits) {
        exponent = std::min(kBeyondEveryDouble, exponent * 10 + (digit - '0'));
    }
    return exponent;
}

double valueOf(const ScannedNumber& number) {
    double value = 0.0;
    const auto [end, error] =
        std::from_chars(number.text.data(), number.text.data() + number.text.size(), value);
    if (error == std::errc::result_out_of_range) {
        // from_chars leaves the value alone when it is out of range.
        value = number.magnitude < 0 ? 0.0 : std::numeric_limits<double>::infinity();
    }
    return number.negative ? -value : value;
}

// The power of ten of the first non-zero digit of "digits[.digits]"; 0 when all are zero.
long long leadingMagnitude(const std::string& mantissa, std::size_t wholeDigits) {
    const std::size_t leading = mantissa.find_first_of("123456789");
    if (leading == std::string::npos) {
        return 0;
    }
    const auto whole = static_cast<long long>(wholeDigits);
    const auto position = static_cast<long long>(leading);
    // Past the point, the position counts the point itself.
    return position < whole ? whole - position - 1 : whole - position;
}

}  // namespace

double numericPrefix(std::string_view text) {
    NumberScanner scanner(text);
    ScannedNumber number;
    if (!scanner.accept('+')) {
        number.negative = scanner.accept('-');
    }

    const std::size_t wholeDigits = scanner.takeDigits(number.text);
    std::size_t fractionDigits = 0;
    if (scanner.accept('.')) {
        number.text.push_back('.');
        fractionDigits = scanner.takeDigits(number.text);
    }
    if (wholeDigits + fractionDigits == 0) {
        return 0.0;
    }
    number.magnitude = leadingMagnitude(number.text, wholeDigits);

    const char marker = scanner.peek();
    if (marker == 'E' || marker == 'e' || marker == 'D' || marker == 'd') {
        scanner.advance();
        const bool negativeExponent = !scanner.accept('+') && scanner.accept('-');
        std::string digits;
        if (scanner.takeDigits(digits) > 0) {
            number.text += (negativeExponent ? "e-" : "e") + digits;
            const long long exponent = saturatedExponent(digits);
            number.magnitude += negativeExponent ? -exponent : exponent;
        }
    }
    return valueOf(number);
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

}  // namespace quintara::conversions
