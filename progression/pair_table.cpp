#include "pair_table.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <utility>

#include "number_text.h"
#include "progression.h"
#include "report_lines.h"
#include "segment_walk.h"

namespace vostrel {

namespace {

int goodSaveCount(const ClassRecord& a, const ClassRecord& b) {
    return int{a.fortGood || b.fortGood} + int{a.refGood || b.refGood} +
           int{a.willGood || b.willGood};
}

// The row is read off the state of the build Go would walk: one segment of
// `level` levels with the pair, written by the report's own pieces.
PairRow rowOf(const ClassTable& table, BuildSheet& sheet, std::int16_t number, std::int16_t first,
              std::int16_t second) {
    Segment& segment = sheet.segments[0];
    segment.firstClass = first;
    segment.secondClass = second;
    ProgressionResult result = computeProgression(sheet, table);
    ProgressionState& state = result.state;

    PairRow row;
    row.number = number;
    row.first = first;
    row.second = second;
    report::appendHitDice(row.hitDice, state);
    row.hitDie = state.segmentHitDie[1];
    row.skillText = std::move(state.skillText);
    row.skillPoints = state.segmentSkillPoints[1];
    row.bab = state.bab;
    row.fort = state.fort.floored();
    row.ref = state.ref.floored();
    row.will = state.will.floored();
    row.goodSaves = goodSaveCount(table.recordAt(first), table.recordAt(second));
    report::appendClassFeatures(row.features, state, table);
    return row;
}

}  // namespace

std::vector<PairRow> pairRows(const ClassTable& table, int level, std::int16_t withClass) {
    std::vector<PairRow> rows;
    const int count = table.classCount();
    if (level < 1 || level > kMaxCharacterLevel || count < 2) {
        return rows;
    }
    const bool anyClass = withClass <= kAnyClass;
    rows.reserve(static_cast<std::size_t>(anyClass ? count * (count - 1) / 2 : count - 1));

    BuildSheet sheet;
    sheet.segments[0].levelText = integerText(level);
    // At most 40 classes make 780 pairs, well inside the 16-bit range.
    std::int16_t number = 0;
    for (std::int16_t first = 1; first < count; ++first) {
        for (auto second = static_cast<std::int16_t>(first + 1); second <= count; ++second) {
            ++number;
            if (anyClass || first == withClass || second == withClass) {
                rows.push_back(rowOf(table, sheet, number, first, second));
            }
        }
    }
    return rows;
}

PairPlace placeOfPair(const BuildSheet& sheet, int level) {
    const auto stop =
        std::find_if_not(sheet.segments.begin(), sheet.segments.end(), walk::isAccepted);
    if (stop == sheet.segments.end()) {
        return {.fit = PairFit::NoFreeRow};
    }
    const int segment = static_cast<int>(stop - sheet.segments.begin()) + 1;
    if (stop->firstClass >= 1 || stop->secondClass >= 1) {
        return {.fit = PairFit::RowIncomplete, .segment = segment};
    }
    int left = kMaxCharacterLevel;
    for (const Segment& other : sheet.segments) {
        if (&other != &*stop) {
            left -= walk::levelValue(other.levelText);
        }
    }
    const int levels = std::min(level, left);
    if (levels < 1) {
        return {.fit = PairFit::NoLevelLeft};
    }
    return {.fit = PairFit::Fits, .segment = segment, .levels = levels};
}

}  // namespace vostrel
