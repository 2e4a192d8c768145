#include "class_lookup.h"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <cstdint>

namespace vostrel {

namespace {

// Stands for a byte that starts no well-formed UTF-8 character: above every code
// point, so it equals only the same byte.
constexpr char32_t kStrayByte = 0x110000;
constexpr std::size_t kLongestCharacter = 4;

char32_t nextFolded(std::string_view text, std::size_t& at) {
    const std::string_view rest = text.substr(at, kLongestCharacter);
    std::int32_t length = 0;
    UChar32 c = 0;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(rest.data());
    U8_NEXT(bytes, length, static_cast<std::int32_t>(rest.size()), c);
    if (c < 0) {
        return kStrayByte + static_cast<unsigned char>(text[at++]);
    }
    at += static_cast<std::size_t>(length);
    return static_cast<char32_t>(u_foldCase(c, U_FOLD_CASE_DEFAULT));
}

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (nextFolded(a, i) != nextFolded(b, j)) {
            return false;
        }
    }
    return i == a.size() && j == b.size();
}

}  // namespace

std::optional<std::size_t> findEntry(std::span<const std::string> entries,
                                     std::span<const SoughtName> sought,
                                     std::optional<std::size_t> preferred) {
    for (const bool ignoreCase : {false, true}) {
        const auto same = [ignoreCase](std::string_view entry, std::string_view name) {
            return ignoreCase ? sameIgnoringCase(entry, name) : entry == name;
        };
        for (const SoughtName& one : sought) {
            if (preferred && *preferred < entries.size() && same(entries[*preferred], one.name)) {
                return preferred;
            }
            int place = one.place;
            for (std::size_t i = 0; i < entries.size(); ++i) {
                if (same(entries[i], one.name) && --place == 0) {
                    return i;
                }
            }
        }
    }
    return std::nullopt;
}

}  // namespace vostrel
