#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "progression.h"

// What the walk's steps did to reach a level's numbers, recorded by those steps
// as they compute them: an explanation read off these records is the computation
// itself, never a second account of the rules.
namespace vostrel {

// One class of a pair and the class level it has reached.
struct ClassAtLevel {
    std::int16_t slot = 0;
    std::int16_t classLevel = 0;

    bool operator==(const ClassAtLevel&) const = default;
};

// Which class of a row's pair gave a value. Both: the two have the same value,
// which is always so for a class chosen in both lists.
enum class PairSide : std::uint8_t { First, Second, Both };

// The larger hit die or skill points of a pair.
struct PairChoice {
    std::int16_t value = 0;
    PairSide from = PairSide::Both;

    bool operator==(const PairChoice&) const = default;
};

// One row's part of the attack bonus.
struct AttackStep {
    double rate = 0.0;  // the higher rate of the pair
    PairSide rateFrom = PairSide::Both;
    double part = 0.0;        // the row's levels times the rate
    std::int16_t before = 0;  // the bonus the rows ahead left
    double total = 0.0;       // before + part, not yet rounded
    std::int16_t after = 0;   // total rounded to nearest, ties to even

    bool operator==(const AttackStep&) const = default;
};

// One row's part of a save, in sixths as the save keeps it.
struct SaveStep {
    bool good = false;
    PairSide goodFrom = PairSide::Both;  // who has the good progression, when good
    // The pair's class levels after this row (a class in both lists counts twice):
    // the +2 needs them to be no more than twice the row's levels.
    std::int16_t pairLevels = 0;
    bool plusTwo = false;
    SaveBonus levelShare;  // half (good) or a third (poor) of the row's levels
    SaveBonus after;       // the exact save after this row

    SaveBonus part() const { return {(plusTwo ? 12 : 0) + levelShare.sixths}; }
    bool operator==(const SaveStep&) const = default;
};

// Everything one row (segment) did. For the row holding a level, its levels up
// to that level, as the walk of the cut build takes them.
struct SegmentSteps {
    std::int16_t segment = 0;  // 1..5
    std::int16_t levels = 0;
    ClassAtLevel first;  // class levels after this row
    ClassAtLevel second;
    PairChoice hitDie;
    PairChoice skillPoints;
    AttackStep attack;
    SaveStep fort;
    SaveStep ref;
    SaveStep will;

    bool sameClass() const { return first.slot == second.slot; }
    bool operator==(const SegmentSteps&) const = default;
};

// The rows walked to reach character level `level`, the last one the level's own.
struct LevelSteps {
    std::int16_t level = 0;
    std::int16_t rowCount = 0;
    std::array<SegmentSteps, kSegmentCount> rows{};

    const SegmentSteps& row(int index) const { return rows[static_cast<std::size_t>(index)]; }
    const SegmentSteps& last() const { return row(rowCount - 1); }
};

}  // namespace vostrel
