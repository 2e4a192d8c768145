#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "class_table.h"

namespace vostrel {

// The one save-column text that marks a good save, compared case-sensitively.
inline constexpr std::string_view kGoodSaveText = "TRUE";

// The die sizes the report's hit-dice line lists, in its order; levels of any
// other die are counted but never appear in that line.
inline constexpr std::array<std::int16_t, 5> kListedHitDice{4, 6, 8, 10, 12};

// Whether a save column holds a text the file's author plausibly meant as a good
// save but that leaves the save poor: anything but "TRUE", "FALSE" and the empty text.
bool isDoubtfulSaveText(std::string_view text);

// How many classes of `table` have a save column of such a text, and the first
// such text in file order.
struct DoubtfulSaves {
    int classes = 0;
    std::string firstText;
};
DoubtfulSaves doubtfulSaves(const ClassTable& table);

// Whether the report's hit-dice line shows levels of a die of this size.
bool isListedHitDie(int die);

}  // namespace vostrel
