#pragma once

#include <string_view>

namespace vostrel {

// Whether two UTF-8 texts are the same ignoring letter case, one letter for one
// letter: ASCII, Latin-1, Latin Extended-A, Greek and Cyrillic capitals match
// their small letters. Letters without a one-to-one partner (the dotted capital I,
// the dotless i, the long s, the sharp s) match only themselves, and bytes that
// are not UTF-8 only the same bytes.
bool sameIgnoringCase(std::string_view a, std::string_view b);

}  // namespace vostrel
