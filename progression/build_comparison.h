#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "level_by_level.h"

namespace vostrel {

// The numbers of a level's row that builds are set side by side by, in the order
// the comparison shows them.
enum class ComparedValue : std::uint8_t { Bab, Fort, Ref, Will, HitDie, SkillPoints };
inline constexpr std::size_t kComparedValueCount = 6;

int comparedValue(const LevelRow& row, ComparedValue which);

// One build's value at one place, against the other builds' there.
struct ComparedCell {
    bool reached = false;  // false: the build stops below this level, nothing else is set
    int value = 0;
    // The highest of the builds that reach the place, where not all of them have it.
    bool best = false;
    // The value less the current build's, when the current build reaches the place too.
    std::optional<int> overCurrent;

    bool operator==(const ComparedCell&) const = default;
};

using ComparedCells = std::array<ComparedCell, kComparedValueCount>;

struct ComparedLevel {
    std::int16_t level = 0;
    std::vector<ComparedCells> builds;  // by build, the current one first
};

// A feature cell and the level at which each build first gains it.
struct FeatureReach {
    std::string feature;
    std::int16_t firstLevel = 0;       // the lowest of `levels` above 0
    std::vector<std::int16_t> levels;  // by build; 0 when the build never gains it
};

struct BuildComparison {
    std::vector<ComparedLevel> levels;  // levels 1 to the longest build's last
    // The whole builds: the last level's bonuses, the hit dice as the sum of their
    // sides (the hit points of dice rolled at their highest) and the skill points
    // with an intelligence modifier of 0, as many times as the report counts them.
    std::vector<ComparedCells> totals;
    std::vector<FeatureReach> features;  // by first level; on a tie, as met
};

// `builds` holds each build's level-by-level rows, the current build first; a
// build with nothing to walk has none. Reads nothing but the rows.
BuildComparison compareBuilds(const std::vector<std::vector<LevelRow>>& builds);

}  // namespace vostrel
