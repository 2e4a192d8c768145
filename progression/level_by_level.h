#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "class_table.h"
#include "level_steps.h"
#include "progression.h"

namespace vostrel {

// The build as it stands after character level `level`: what the report would
// say if the build stopped there.
struct LevelRow {
    std::int16_t level = 0;    // character level, 1..20
    std::int16_t segment = 0;  // 1..5
    // The segment's classes in list order; the same slot twice when both lists hold it.
    ClassAtLevel first;
    ClassAtLevel second;
    std::int16_t hitDie = 0;       // the die this level adds
    std::int16_t skillPoints = 0;  // per level
    std::int16_t bab = 0;
    int fort = 0;  // saves floored, as the report shows them
    int ref = 0;
    int will = 0;
    // Non-empty features cells of the classes at the levels just reached, first
    // class first; a class chosen in both lists gives its cell once.
    std::vector<std::string> features;
    // How many times the report counts this level's skill points: four times at
    // the character's first level, once after it.
    std::int16_t skillTimes = 1;

    bool sameClass() const { return first.slot == second.slot; }
    bool operator==(const LevelRow&) const = default;
};

// The row's features cells in one line. A cell may itself hold commas, so the
// cells are set apart by a semicolon.
std::string featuresText(const LevelRow& row);

struct LevelByLevelResult {
    ProgressionOutcome outcome = ProgressionOutcome::NothingToShow;
    std::vector<LevelRow> rows;     // levels 1..N of the walked segments when Finished
    std::vector<LevelSteps> steps;  // steps[n]: how the numbers of rows[n] came about
};

// The build level by level. Row n is the walk over the same segments with the one
// holding level n cut to its levels up to n and those after it left out, so the
// last row agrees with the report of the whole build.
LevelByLevelResult levelByLevel(const BuildSheet& sheet, const ClassTable& table);

}  // namespace vostrel
