#pragma once

#include <charconv>
#include <cstddef>
#include <string>

namespace vostrel {

// Appends a plain decimal integer: no leading zeros, spaces or plus sign.
inline void appendInteger(std::string& text, int value) {
    char digits[12];
    const auto written = std::to_chars(digits, digits + sizeof digits, value);
    // By length: the pair of pointers would pick the iterator overload, a slow replace.
    text.append(digits, static_cast<std::size_t>(written.ptr - digits));
}

}  // namespace vostrel
