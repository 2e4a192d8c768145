#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "class_table.h"

namespace vostrel {

inline constexpr int kSegmentCount = 5;
inline constexpr int kMaxCharacterLevel = 20;
// A character gets four times a level's skill points at first level: the report
// counts the first level four times, giving the first segment its levels plus 3.
inline constexpr int kFirstLevelSkillTimes = 4;

// One row of the build sheet: the level box as typed and the positions chosen
// in the two class lists (-1 nothing chosen, 0 "<None>", p the class in slot p).
struct Segment {
    std::string levelText;
    std::int16_t firstClass = -1;
    std::int16_t secondClass = -1;

    bool operator==(const Segment&) const = default;
};

// The levels a level box's text stands for: its ASCII digits read as a decimal
// number, 0 when empty, and any number above 20 as 21, so that no numeral can
// overflow; none when the text holds anything but digits.
std::optional<int> levelCount(std::string_view text);

// Segment k (1..5) is segments[k - 1].
struct BuildSheet {
    std::array<Segment, kSegmentCount> segments{};

    bool operator==(const BuildSheet&) const = default;
};

// A save bonus kept in sixths of a point: halves and thirds of levels then add up
// exactly, so a save never depends on how the levels were split into segments.
struct SaveBonus {
    std::int32_t sixths = 0;

    double value() const { return sixths / 6.0; }
    // Saves never go below zero, so integer division floors.
    int floored() const { return sixths / 6; }
    bool operator==(const SaveBonus&) const = default;
};

// Running totals of one computation. Per-segment arrays are indexed by segment
// number 1..5 (segmentClasses by 2k-1 and 2k), so element 0 is never written.
struct ProgressionState {
    // Segment k's class slots, in list order.
    struct Pair {
        std::int16_t first = 0;
        std::int16_t second = 0;
    };
    Pair classesOf(int k) const {
        const auto k2 = static_cast<std::size_t>(2 * k);
        return {segmentClasses[k2 - 1], segmentClasses[k2]};
    }
    void setClassesOf(int k, Pair pair) {
        const auto k2 = static_cast<std::size_t>(2 * k);
        segmentClasses[k2 - 1] = pair.first;
        segmentClasses[k2] = pair.second;
    }

    std::array<std::int16_t, kSegmentCount + 1> segmentLevels{};
    std::array<std::int16_t, 2 * kSegmentCount + 1> segmentClasses{};
    std::array<std::int16_t, kSlotCount> classLevels{};
    std::array<std::int16_t, kSegmentCount + 1> segmentHitDie{};
    std::array<std::int16_t, kMaxLevel + 1> hitDieTally{};  // by die size 0..20
    std::array<std::int16_t, kSegmentCount + 1> segmentSkillPoints{};
    std::string skillText;
    std::int16_t bab = 0;
    SaveBonus fort;
    SaveBonus ref;
    SaveBonus will;

    bool operator==(const ProgressionState&) const = default;
};

enum class ProgressionOutcome { TooManyLevels, NothingToShow, Finished };

struct ProgressionResult {
    ProgressionOutcome outcome = ProgressionOutcome::NothingToShow;
    ProgressionState state;
};

// The window's message for a build whose level boxes add up to more than 20.
inline constexpr const char* kTooManyLevelsText = "Character above 20th level";

// Checks the build and walks its accepted segments in order.
ProgressionResult computeProgression(const BuildSheet& sheet, const ClassTable& table);

inline constexpr bool isSegmentNumber(int k) {
    return k >= 1 && k <= kSegmentCount;
}

// The seven-line report of a finished walk, lines joined by CR LF.
std::string buildReportText(const ProgressionState& state, const ClassTable& table);

}  // namespace vostrel
