#pragma once

#include <cstddef>
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

// A C0 control byte other than tab and the line ends, or DEL: no text holds one.
constexpr bool isControlByte(unsigned char byte) {
    return (byte < 0x20 && byte != '\t' && byte != '\r' && byte != '\n') || byte == 0x7F;
}

}  // namespace vostrel::detail
