#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// How a name typed into a class list or pasted in a build finds its class: the
// same way in both, so that what one accepts the other accepts too.
namespace vostrel {

// One thing a text may name: the `place`-th entry (from 1) of that name.
struct SoughtName {
    std::string_view name;
    int place = 1;
};

// The index in `entries` of what a text names, or none. The first of `sought`
// that entries equal letter case included wins; only when none does, the first
// that entries equal ignoring case. Case is ignored character for character by
// Unicode's simple case folding ("Ǆ", "ǅ" and "ǆ" alike, "ẞ" as "ß", but "ß" not
// "ss"); bytes that are not UTF-8 match only the same bytes. `preferred`, the
// entry chosen already, stands for a name it equals in place of the others.
std::optional<std::size_t> findEntry(std::span<const std::string> entries,
                                     std::span<const SoughtName> sought,
                                     std::optional<std::size_t> preferred = std::nullopt);

// For a name that found no entry: the index of the entry nearest to it, ignoring
// case as findEntry does, when it is close: at most one edit per three characters
// of the name and never more than two, an edit being a character added, dropped
// or changed, or two neighbours swapped. Ties go to the first entry. Names under
// three characters, or over kLongestComparedName, find none.
inline constexpr std::size_t kLongestComparedName = 64;
std::optional<std::size_t> closestEntry(std::span<const std::string> entries,
                                        std::string_view name);

}  // namespace vostrel
