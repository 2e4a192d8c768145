#include "text_encoding.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace vostrel::detail {

namespace {

// Code points of the bytes 0x80..0x9F; every other byte is its own code point.
constexpr std::array<char16_t, 32> kHighControls{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The length of the well-formed UTF-8 character of more than one byte that
// begins at `at`, or 0 when none does.
std::size_t multiByteLength(std::string_view bytes, std::size_t at) {
    const auto lead = static_cast<unsigned char>(bytes[at]);
    std::size_t length = 0;
    unsigned char low = 0x80;  // the allowed range of the second byte
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (bytes.size() - at < length) {
        return 0;
    }
    const auto second = static_cast<unsigned char>(bytes[at + 1]);
    if (second < low || second > high) {
        return 0;
    }
    for (std::size_t k = 2; k < length; ++k) {
        const auto next = static_cast<unsigned char>(bytes[at + k]);
        if (next < 0x80 || next > 0xBF) {
            return 0;
        }
    }
    return length;
}

}  // namespace

int wideTextBits(std::string_view start) {
    constexpr std::size_t kProbeBytes = 512;
    start = start.substr(0, kProbeBytes);
    using namespace std::string_view_literals;
    if (start.substr(0, 4) == "\xFF\xFE\0\0"sv || start.substr(0, 4) == "\0\0\xFE\xFF"sv) {
        return 32;
    }
    if (start.substr(0, 2) == "\xFF\xFE" || start.substr(0, 2) == "\xFE\xFF") {
        return 16;
    }
    // Wide text without a mark: most characters are ASCII, so most pairs of
    // bytes hold one NUL (UTF-16), or most groups of four three (UTF-32). A
    // run of NUL bytes alone is not text at all.
    const auto mostly = [&start](std::size_t width, std::size_t nuls) {
        const std::size_t groups = start.size() / width;
        std::size_t matching = 0;
        for (std::size_t i = 0; i < groups; ++i) {
            const std::string_view group = start.substr(i * width, width);
            const auto nulCount = std::count(group.begin(), group.end(), '\0');
            matching += static_cast<std::size_t>(nulCount) == nuls ? 1U : 0U;
        }
        return groups >= 2 && matching * 4 >= groups * 3;
    };
    return mostly(4, 3) ? 32 : mostly(2, 1) ? 16 : 0;
}

Utf8Character characterAt(std::string_view text, std::size_t at) {
    static constexpr std::array<unsigned char, 5> kLeadBits{0, 0x7F, 0x1F, 0x0F, 0x07};
    const auto lead = static_cast<unsigned char>(text[at]);
    Utf8Character character;
    character.length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    character.code = lead & kLeadBits[character.length];
    for (std::size_t k = 1; k < character.length && at + k < text.size(); ++k) {
        character.code = (character.code << 6) | (static_cast<unsigned char>(text[at + k]) & 0x3Fu);
    }
    return character;
}

Utf8Scan scanUtf8(std::string_view bytes) {
    Utf8Scan scan;
    std::size_t i = 0;
    while (i < bytes.size()) {
        // Runs of ASCII, most of any class file, are passed eight bytes at a time.
        std::uint64_t word = 0;
        if (bytes.size() - i >= sizeof word) {
            std::memcpy(&word, bytes.data() + i, sizeof word);
            if ((word & 0x8080808080808080U) == 0) {
                i += sizeof word;
                continue;
            }
        }
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        const std::size_t length = multiByteLength(bytes, i);
        if (length == 0) {
            if (scan.firstInvalid == std::string_view::npos) {
                scan.firstInvalid = i;
            }
            if (scan.multiByte) {
                break;
            }
            ++i;
            continue;
        }
        scan.multiByte = true;
        if (scan.firstInvalid != std::string_view::npos) {
            break;
        }
        i += length;
    }
    return scan;
}

bool isValidUtf8(std::string_view bytes) {
    return scanUtf8(bytes).firstInvalid == std::string_view::npos;
}

std::string windows1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80 && byte <= 0x9F) {
            appendUtf8(out, kHighControls[static_cast<std::size_t>(byte - 0x80)]);
        } else {
            appendUtf8(out, byte);
        }
    }
    return out;
}

std::optional<unsigned char> firstControlByte(std::string_view text) {
    const auto found = std::find_if(text.begin(), text.end(), [](char c) {
        return isControlByte(static_cast<unsigned char>(c));
    });
    if (found == text.end()) {
        return std::nullopt;
    }
    return static_cast<unsigned char>(*found);
}

std::optional<char32_t> controlCharacter(std::string_view text) {
    // Every field passes here: a first look eight bytes at a time keeps that
    // cheap. It flags bytes below 0x20, 0x7F and 0xC2, the lead byte of C1 controls.
    constexpr std::uint64_t kOnes = 0x0101010101010101U;
    constexpr std::uint64_t kHigh = 0x8080808080808080U;
    const auto hasZero = [](std::uint64_t v) { return (v - kOnes) & ~v & kHigh; };
    std::size_t at = 0;
    bool suspect = false;
    for (; at + 8 <= text.size() && !suspect; at += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, text.data() + at, 8);
        suspect = ((word - kOnes * 0x20) & ~word & kHigh) != 0 || hasZero(word ^ (kOnes * 0x7F)) ||
                  hasZero(word ^ (kOnes * 0xC2));
    }
    if (!suspect &&
        std::none_of(text.begin() + static_cast<std::ptrdiff_t>(at), text.end(), [](char c) {
            const auto byte = static_cast<unsigned char>(c);
            return byte < 0x20 || byte == 0x7F || byte == 0xC2;
        })) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (isControlByte(byte)) {
            return byte;
        }
        if (byte == 0xC2 && i + 1 < text.size()) {
            const auto next = static_cast<unsigned char>(text[i + 1]);
            if (next >= 0x80 && next <= 0x9F) {
                return next;
            }
        }
    }
    return std::nullopt;
}

}  // namespace vostrel::detail
