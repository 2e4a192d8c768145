#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "class_table.h"
#include "level_by_level.h"
#include "level_steps.h"

// A level's numbers in words, read off the steps the walk recorded for it.
namespace vostrel {

// The numbers of a level's row that come with their reasons, in column order.
enum class LevelValue : std::uint8_t { HitDie, SkillPoints, Bab, Fort, Ref, Will };
inline constexpr std::array<LevelValue, 6> kLevelValues{LevelValue::HitDie, LevelValue::SkillPoints,
                                                        LevelValue::Bab,    LevelValue::Fort,
                                                        LevelValue::Ref,    LevelValue::Will};

// How one number of a level came about, as one sentence or a few, for example
// "BAB 4 at level 5: row 1, 3 levels x 1 (Ironwarden's rate) = 3; row 2, 2 levels
// x 0.75 (Tidecaller's rate, the higher of its pair) = 1.5; 3 + 1.5 = 4.5, which
// rounds to the even 4." Rates and attack totals show at most four decimal places,
// and "..." after the fourth when those do not hold the value (0.3333...); saves
// show as exact whole numbers and sixths (2 5/6). Empty for steps holding no row.
std::string explainValue(const LevelSteps& steps, LevelValue value, const ClassTable& table);

// A level's row in words: each number as explainValue words it, and the whole
// row, its classes, those six texts and the features reached, one a line.
struct LevelExplanation {
    std::array<std::string, kLevelValues.size()> values;  // by LevelValue
    std::string row;                                      // lines joined by "\n"

    const std::string& of(LevelValue value) const {
        return values[static_cast<std::size_t>(value)];
    }
};

// Empty texts for steps holding no row.
LevelExplanation explainLevel(const LevelRow& row, const LevelSteps& steps,
                              const ClassTable& table);

}  // namespace vostrel
