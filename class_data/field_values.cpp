#include "field_values.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <string>
#include <system_error>

namespace vostrel {

std::string_view trimmed(std::string_view text, std::string_view blanks) {
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

}  // namespace vostrel

namespace vostrel::detail {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Moves past a run of digits; returns how many there were.
std::size_t skipDigits(std::string_view text, std::size_t& at) {
    const std::size_t from = at;
    while (at < text.size() && isDigit(text[at])) {
        ++at;
    }
    return at - from;
}

bool takeSign(std::string_view text, std::size_t& at) {
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        return text[at++] == '-';
    }
    return false;
}

}  // namespace

std::optional<std::int16_t> parseWholeNumber(std::string_view text) {
    text = trimmed(text);
    std::size_t at = 0;
    const bool negative = takeSign(text, at);
    const std::size_t digitsFrom = at;
    if (skipDigits(text, at) == 0) {
        return std::nullopt;
    }
    const std::string_view digits = text.substr(digitsFrom, at - digitsFrom);
    if (at < text.size() && text[at] == '.') {
        ++at;
        while (at < text.size() && text[at] == '0') {
            ++at;
        }
    }
    if (at != text.size()) {
        return std::nullopt;
    }
    long value = 0;
    for (const char digit : digits) {
        value = value * 10 + (digit - '0');
        if (value > 32768) {
            return std::nullopt;
        }
    }
    value = negative ? -value : value;
    if (value > 32767) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(value);
}

std::optional<double> parseAttackRate(std::string_view text) {
    text = trimmed(text);
    std::size_t at = 0;
    takeSign(text, at);
    const std::size_t numberFrom = text.substr(0, at) == "+" ? at : 0;
    std::size_t digits = skipDigits(text, at);
    if (at < text.size() && text[at] == '.') {
        ++at;
        digits += skipDigits(text, at);
    }
    if (digits == 0) {
        return std::nullopt;
    }
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        takeSign(text, at);
        if (skipDigits(text, at) == 0) {
            return std::nullopt;
        }
    }
    if (at != text.size()) {
        return std::nullopt;
    }
    // from_chars takes no leading plus and, unlike strtod, ignores the locale.
    const std::string_view number = text.substr(numberFrom);
    double value = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc{} || end != number.data() + number.size() || !std::isfinite(value) ||
        std::fabs(value) > kMaxAttackRate) {
        return std::nullopt;
    }
    return value;
}

}  // namespace vostrel::detail
