#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>

#include "progression.h"
#include "segment_walk.h"

namespace vostrel {

namespace {

// The 2 goes only to a pair of classes that are both new to the character:
// after this segment's tally their levels then add up to exactly twice the
// segment's levels, and to more once either had levels before. In sixths, the 2
// is 12, half a level 3 and a third of a level 2.
void advanceSave(SaveBonus& save, bool goodA, bool goodB, int pairLevels, int levels,
                 SaveStep* record) {
    const bool good = goodA || goodB;
    const bool plusTwo = good && pairLevels <= 2 * levels;
    const SaveBonus levelShare{(good ? 3 : 2) * levels};
    save.sixths += (plusTwo ? 12 : 0) + levelShare.sixths;
    if (record != nullptr) {
        *record = {.good = good,
                   .goodFrom = goodA == goodB ? PairSide::Both
                               : goodA        ? PairSide::First
                                              : PairSide::Second,
                   .pairLevels = static_cast<std::int16_t>(pairLevels),
                   .plusTwo = plusTwo,
                   .levelShare = levelShare,
                   .after = save};
    }
}

// The walk stores only slots 1..40; anything else has no levels rather than
// reading outside the tally.
int levelsInSlot(const ProgressionState& state, int slot) {
    if (slot < 0 || slot >= kSlotCount) {
        return 0;
    }
    return state.classLevels[static_cast<std::size_t>(slot)];
}

}  // namespace

namespace walk {

// Rounds to nearest with ties to even (1.5 -> 2, 2.5 -> 2) and keeps the result
// within the 16-bit range. A loaded file's rates cannot leave it; a table built
// otherwise saturates instead of overflowing, and a rate that is not a number adds nothing.
std::int16_t roundedAttackBonus(double total, std::int16_t previous) {
    constexpr double kLowest = std::numeric_limits<std::int16_t>::min();
    constexpr double kHighest = std::numeric_limits<std::int16_t>::max();
    const double rounded = std::nearbyint(total);
    if (std::isnan(rounded)) {
        return previous;
    }
    if (rounded < kLowest) {
        return std::numeric_limits<std::int16_t>::min();
    }
    if (rounded > kHighest) {
        return std::numeric_limits<std::int16_t>::max();
    }
    return static_cast<std::int16_t>(rounded);
}

void takeAttack(ProgressionState& state, const ClassTable& table, int k, AttackStep* record) {
    const auto [a, b] = state.classesOf(k);
    const double rateA = table.recordAt(a).babRate;
    const double rateB = table.recordAt(b).babRate;
    const PairSide side = betterSide(rateA, rateB);
    const double rate = valueOf(side, rateA, rateB);
    const double levels = state.segmentLevels[static_cast<std::size_t>(k)];
    // The product first, then the running total; rounded again after every segment.
    const double part = levels * rate;
    const double total = part + static_cast<double>(state.bab);
    const std::int16_t after = roundedAttackBonus(total, state.bab);
    if (record != nullptr) {
        *record = {.rate = rate,
                   .rateFrom = side,
                   .part = part,
                   .before = state.bab,
                   .total = total,
                   .after = after};
    }
    state.bab = after;
}

void takeSaves(ProgressionState& state, const ClassTable& table, int k, SegmentSteps* record) {
    const auto [a, b] = state.classesOf(k);
    const ClassRecord& first = table.recordAt(a);
    const ClassRecord& second = table.recordAt(b);
    const int levels = state.segmentLevels[static_cast<std::size_t>(k)];
    const int pairLevels = levelsInSlot(state, a) + levelsInSlot(state, b);

    const bool recording = record != nullptr;
    advanceSave(state.fort, first.fortGood, second.fortGood, pairLevels, levels,
                recording ? &record->fort : nullptr);
    advanceSave(state.ref, first.refGood, second.refGood, pairLevels, levels,
                recording ? &record->ref : nullptr);
    advanceSave(state.will, first.willGood, second.willGood, pairLevels, levels,
                recording ? &record->will : nullptr);
}

}  // namespace walk

}  // namespace vostrel
