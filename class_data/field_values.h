#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace vostrel {

// Spaces and tabs, which may surround a field's number or a pasted line's names.
inline constexpr std::string_view kBlanks = " \t";

// The text without the blanks (or the other characters of `blanks`) around it.
std::string_view trimmed(std::string_view text, std::string_view blanks = kBlanks);

}  // namespace vostrel

namespace vostrel::detail {

// A whole number within -32768..32767: an optional sign and digits, optionally a
// point followed by zeros only ("10" or "10.0"). Surrounding blanks are ignored.
std::optional<std::int16_t> parseWholeNumber(std::string_view text);

// An attack rate: an optional sign, digits with an optional decimal point, an
// optional exponent; finite and within -1000..1000, so that no build's base
// attack bonus can leave its 16-bit range. Surrounding blanks are ignored.
std::optional<double> parseAttackRate(std::string_view text);

inline constexpr double kMaxAttackRate = 1000.0;

}  // namespace vostrel::detail
