#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// How a message quotes a text the user gave it: a file's name or field, or a
// pasted line.
namespace vostrel {

struct Quoting {
    std::size_t characters = 40;  // cut short after this many characters
    std::size_t bytes =
        std::string_view::npos;  // or before the character that would pass this many bytes
    // The user's own typing, shown as typed. A file's text may be in any
    // encoding and hold characters that show as nothing or as a space: those are named.
    bool asTyped = false;
};

// A pasted line may be as long as a whole clipboard.
inline constexpr Quoting kPastedText{
    .characters = std::string_view::npos, .bytes = 60, .asTyped = true};

// The text in double quotes, readable whatever its encoding, cut short with
// "..." as `quoting` says, and unless typed, its invisible characters named:
// "<tab>", "<NUL>", "<NBSP>", "<U+200B>".
std::string quotedText(std::string_view raw, Quoting quoting = {});

// "1F", "200B": a code in upper-case hexadecimal, `digits` long.
std::string hexDigits(char32_t value, int digits);

}  // namespace vostrel
