#pragma once

#include <cstdint>
#include <string_view>

#include "level_steps.h"
#include "progression.h"

// The segment walk's own pieces, shared with the level-by-level table so that
// both read the build and advance the state through the same code.
namespace vostrel::walk {

// The level count a level box stands for: 0 for empty or non-digit text,
// more than 20 for any numeral above 20.
int levelValue(std::string_view text);

// A segment is walked when it has levels and both of its lists hold a class.
bool isAccepted(const Segment& segment);

// The checks made before any segment is walked: the level total, then segment 1.
// Finished means the walk may start.
ProgressionOutcome checkBuild(const BuildSheet& sheet);

// Stores segment k's classes and level count, tallies class levels and runs the
// per-segment steps in the walk's order. Given `steps`, each step records there
// what it did; the report's walk passes none and pays nothing for the records.
// A segment number outside 1..5 leaves the state untouched.
void processSegment(ProgressionState& state, const ClassTable& table, const Segment& segment, int k,
                    SegmentSteps* steps = nullptr);

// The per-segment steps for a segment number 1..5, each recording what it did
// when given somewhere to record it.
void takeHitDie(ProgressionState& state, const ClassTable& table, int k, PairChoice* record);
void takeSkillPoints(ProgressionState& state, const ClassTable& table, int k, PairChoice* record);
void takeAttack(ProgressionState& state, const ClassTable& table, int k, AttackStep* record);
void takeSaves(ProgressionState& state, const ClassTable& table, int k, SegmentSteps* record);

// The attack bonus a running total gives: rounded to nearest, ties to even, and
// kept within the 16-bit range; a total that is not a number leaves `previous`.
std::int16_t roundedAttackBonus(double total, std::int16_t previous);

// The first class gives a value when its own is greater; otherwise the second,
// which on equal values is the same number.
template <typename T>
PairSide betterSide(T first, T second) {
    if (first > second) {
        return PairSide::First;
    }
    return first == second ? PairSide::Both : PairSide::Second;
}

template <typename T>
T valueOf(PairSide side, T first, T second) {
    return side == PairSide::First ? first : second;
}

}  // namespace vostrel::walk
