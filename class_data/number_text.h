#pragma once

#include <charconv>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <string>

// Whole numbers as every text of the program writes them, the report, the
// refusals and the explanations alike: plain decimal, no leading zeros, spaces
// or plus sign, and never the locale's digit grouping.
namespace vostrel {

template <std::integral Integer>
void appendInteger(std::string& text, Integer value) {
    // Most numbers written are counts of levels under 100: no call for those.
    if (static_cast<std::uint64_t>(value) < 100) {
        const auto small = static_cast<int>(value);
        if (small >= 10) {
            text += static_cast<char>('0' + small / 10);
        }
        text += static_cast<char>('0' + small % 10);
        return;
    }
    char digits[24];
    const auto written = std::to_chars(digits, digits + sizeof digits, value);
    // By length: the pair of pointers would pick the iterator overload, a slow replace.
    text.append(digits, static_cast<std::size_t>(written.ptr - digits));
}

template <std::integral Integer>
std::string integerText(Integer value) {
    std::string text;
    appendInteger(text, value);
    return text;
}

}  // namespace vostrel
