#include "class_lookup.h"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <cstdint>
#include <vector>

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

std::u32string folded(std::string_view text) {
    std::u32string out;
    for (std::size_t at = 0; at < text.size();) {
        out += nextFolded(text, at);
    }
    return out;
}

constexpr std::size_t kMostEdits = 2;

// Edits from `a` to `b` (optimal string alignment), or more than `limit` when
// their lengths alone differ by more.
std::size_t editDistance(std::u32string_view a, std::u32string_view b, std::size_t limit) {
    const std::size_t apart = a.size() > b.size() ? a.size() - b.size() : b.size() - a.size();
    if (apart > limit) {
        return limit + 1;
    }
    // Three rows of the table: two back, one back and the one being filled.
    std::vector<std::size_t> twoBack(b.size() + 1);
    std::vector<std::size_t> oneBack(b.size() + 1);
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) {
        oneBack[j] = j;
    }
    for (std::size_t i = 1; i <= a.size(); ++i) {
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t changed = a[i - 1] == b[j - 1] ? 0 : 1;
            row[j] = std::min({oneBack[j] + 1, row[j - 1] + 1, oneBack[j - 1] + changed});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
                row[j] = std::min(row[j], twoBack[j - 2] + 1);
            }
        }
        std::swap(twoBack, oneBack);
        std::swap(oneBack, row);
    }
    return oneBack[b.size()];
}

}  // namespace

std::optional<std::size_t> closestEntry(std::span<const std::string> entries,
                                        std::string_view name) {
    const std::u32string sought = folded(name);
    const std::size_t limit = std::min(kMostEdits, sought.size() / 3);
    if (limit == 0 || sought.size() > kLongestComparedName) {
        return std::nullopt;
    }
    std::optional<std::size_t> closest;
    std::size_t closestEdits = limit + 1;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].size() > 4 * (kLongestComparedName + kMostEdits)) {
            continue;  // more characters than any close name could have
        }
        const std::size_t edits = editDistance(sought, folded(entries[i]), limit);
        if (edits < closestEdits) {
            closest = i;
            closestEdits = edits;
        }
    }
    return closest;
}

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
