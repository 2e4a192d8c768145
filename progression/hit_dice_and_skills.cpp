#include <cstddef>
#include <cstdint>

#include "number_text.h"
#include "progression.h"
#include "segment_walk.h"

namespace vostrel {

namespace {

constexpr std::size_t kSkillTextCapacity = 384;

// The better of the pair; on a tie the second class supplies the (same) value.
PairChoice better(std::int16_t first, std::int16_t second) {
    const PairSide side = walk::betterSide(first, second);
    return {walk::valueOf(side, first, second), side};
}

}  // namespace

namespace walk {

void takeHitDie(ProgressionState& state, const ClassTable& table, int k, PairChoice* record) {
    const auto segment = static_cast<std::size_t>(k);
    const auto [a, b] = state.classesOf(k);
    const PairChoice choice = better(table.recordAt(a).hitDie, table.recordAt(b).hitDie);
    const std::int16_t die = choice.value;
    state.segmentHitDie[segment] = die;
    // The tally has sizes 0..20 only; levels of any other die stay untallied.
    if (die >= 0 && die <= kMaxLevel) {
        auto& count = state.hitDieTally[static_cast<std::size_t>(die)];
        count = static_cast<std::int16_t>(count + state.segmentLevels[segment]);
    }
    if (record != nullptr) {
        *record = choice;
    }
}

void takeSkillPoints(ProgressionState& state, const ClassTable& table, int k, PairChoice* record) {
    const auto segment = static_cast<std::size_t>(k);
    const auto [a, b] = state.classesOf(k);
    const ClassRecord& first = table.recordAt(a);
    const ClassRecord& second = table.recordAt(b);
    const PairChoice choice = better(first.skillPoints, second.skillPoints);
    const std::int16_t points = choice.value;
    state.segmentSkillPoints[segment] = points;

    // The first segment's multiplier carries the extra three levels' worth of
    // points a character gets at first level.
    const int levels = state.segmentLevels[segment];
    const int multiplier = k == 1 ? levels + kFirstLevelSkillTimes - 1 : levels;

    std::string& text = state.skillText;
    if (k == 1) {
        text.clear();
        // Room for five terms with class names of ordinary length, grown only once.
        text.reserve(kSkillTextCapacity);
        text += "[(";
    } else {
        text += " + [(";
    }
    appendInteger(text, points);
    text += " + int modifier) * ";
    appendInteger(text, multiplier);
    text += " (";
    text += first.name;
    text += '/';
    text += second.name;
    text += " lists)]";
    if (record != nullptr) {
        *record = choice;
    }
}

}  // namespace walk

}  // namespace vostrel
