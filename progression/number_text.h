#pragma once

#include <charconv>
#include <string>

namespace vostrel {

// Appends a plain decimal integer: no leading zeros, spaces or plus sign.
inline void appendInteger(std::string& text, int value) {
    char digits[12];
    const auto written = std::to_chars(digits, digits + sizeof digits, value);
    text.append(digits, written.ptr);
}

}  // namespace vostrel
