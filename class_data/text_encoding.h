#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vostrel::detail {

// True when the bytes are well-formed UTF-8: no overlong forms, no surrogates,
// nothing above U+10FFFF, no sequence cut short.
bool isValidUtf8(std::string_view bytes);

// What a text tells about its encoding: where its first byte lies that is no
// part of a well-formed UTF-8 character, and whether it holds any well-formed
// character of more than one byte (which plain ASCII does not).
struct Utf8Scan {
    std::size_t firstInvalid = std::string_view::npos;
    bool multiByte = false;
};
Utf8Scan scanUtf8(std::string_view bytes);

// Windows-1252, as spreadsheet programs write plain CSV on Windows, to UTF-8. The
// five bytes that code page leaves undefined map to the C1 controls of the same
// number, so no byte is lost.
std::string windows1252ToUtf8(std::string_view bytes);

// 16 or 32 when the data begins like UTF-16 or UTF-32 text: with its byte-order
// mark, or with NUL bytes between the characters; else 0. Only the first 512
// bytes of `start` are looked at.
int wideTextBits(std::string_view start);

// One character of well-formed UTF-8 text: its code and its length in bytes.
struct Utf8Character {
    char32_t code = 0;
    std::size_t length = 1;
};
Utf8Character characterAt(std::string_view text, std::size_t at);

// A C0 control byte other than tab and the line ends, or DEL: no text holds one.
constexpr bool isControlByte(unsigned char byte) {
    return (byte < 0x20 && byte != '\t' && byte != '\r' && byte != '\n') || byte == 0x7F;
}

// The first such byte in a text.
std::optional<unsigned char> firstControlByte(std::string_view text);

// A C0 or C1 control character, or DEL.
constexpr bool isControlCharacter(char32_t code) {
    return code < 0x20 || (code >= 0x7F && code <= 0x9F);
}

// The first control character in a text other than tab and line ends, C1
// controls written in UTF-8 among them.
std::optional<char32_t> controlCharacter(std::string_view text);

}  // namespace vostrel::detail
