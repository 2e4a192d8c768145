#include "quoted_text.h"

#include "text_encoding.h"

namespace vostrel {

namespace {

// Characters that show as nothing or as an ordinary space: "8" and "8" followed
// by one of them look alike in a message unless it is named.
bool isInvisible(char32_t code) {
    return detail::isControlCharacter(code) || code == 0xAD || code == 0x34F || code == 0x61C ||
           code == 0x180E || (code >= 0x2000 && code <= 0x200F) ||
           (code >= 0x2028 && code <= 0x202F) || (code >= 0x205F && code <= 0x206F) ||
           code == 0x3000 || code == 0x3164 || (code >= 0xFE00 && code <= 0xFE0F) ||
           code == 0xFEFF || code == 0xFFA0 || (code >= 0xE0000 && code <= 0xE0FFF);
}

}  // namespace

std::string hexDigits(char32_t value, int digits) {
    static constexpr std::string_view kDigits = "0123456789ABCDEF";
    std::string out;
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) {
        out += kDigits[(value >> shift) & 0xF];
    }
    return out;
}

std::string quotedText(std::string_view raw, Quoting quoting) {
    const std::string text = quoting.asTyped || detail::isValidUtf8(raw)
                                 ? std::string(raw)
                                 : detail::windows1252ToUtf8(raw);
    std::string out = "\"";
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto [code, length] = detail::characterAt(text, i);
        if (characters++ == quoting.characters || i + length > quoting.bytes) {
            out += "...";
            break;
        }
        if (quoting.asTyped) {
            out.append(text, i, length);
        } else if (code == '\t') {
            out += "<tab>";
        } else if (code == 0) {
            out += "<NUL>";
        } else if (code == '\r' || code == '\n') {
            out += ' ';
        } else if (code == 0xA0) {
            out += "<NBSP>";
        } else if (isInvisible(code)) {
            out += "<U+" + hexDigits(code, code > 0xFFFF ? 5 : 4) + ">";
        } else {
            out.append(text, i, length);
        }
        i += length;
    }
    return out + "\"";
}

}  // namespace vostrel
