#include "level_by_level.h"

#include <cstddef>

#include "number_text.h"
#include "segment_walk.h"

namespace vostrel {

namespace {

ClassAtLevel classAtLevel(const ProgressionState& state, std::int16_t slot) {
    // The walk accepts slots 1..40 only.
    return {slot, state.classLevels[static_cast<std::size_t>(slot)]};
}

void addFeature(std::vector<std::string>& features, const ClassTable& table,
                const ClassAtLevel& reached) {
    if (reached.classLevel < 1 || reached.classLevel > kMaxLevel) {
        return;
    }
    const std::string& cell =
        table.recordAt(reached.slot).features[static_cast<std::size_t>(reached.classLevel)];
    if (!cell.empty()) {
        features.push_back(cell);
    }
}

// Reads a row off the state of a walk cut after character level `level`,
// inside segment k.
LevelRow rowOf(const ProgressionState& state, const ClassTable& table, int level, int k) {
    const auto segment = static_cast<std::size_t>(k);
    const auto [first, second] = state.classesOf(k);
    LevelRow row;
    row.level = static_cast<std::int16_t>(level);
    row.segment = static_cast<std::int16_t>(k);
    row.first = classAtLevel(state, first);
    row.second = classAtLevel(state, second);
    row.hitDie = state.segmentHitDie[segment];
    row.skillPoints = state.segmentSkillPoints[segment];
    row.skillTimes = static_cast<std::int16_t>(level == 1 ? kFirstLevelSkillTimes : 1);
    row.bab = state.bab;
    row.fort = state.fort.floored();
    row.ref = state.ref.floored();
    row.will = state.will.floored();
    addFeature(row.features, table, row.first);
    if (!row.sameClass()) {
        addFeature(row.features, table, row.second);
    }
    return row;
}

}  // namespace

std::string featuresText(const LevelRow& row) {
    std::string text;
    for (const std::string& cell : row.features) {
        text += (text.empty() ? "" : "; ") + cell;
    }
    return text;
}

LevelByLevelResult levelByLevel(const BuildSheet& sheet, const ClassTable& table) {
    LevelByLevelResult result;
    result.outcome = walk::checkBuild(sheet);
    if (result.outcome != ProgressionOutcome::Finished) {
        return result;
    }
    result.rows.reserve(kMaxCharacterLevel);
    result.steps.reserve(kMaxCharacterLevel);

    // The walk of the whole build, segment by segment; before each segment goes
    // in whole, each of its cuts goes in on a copy of the state the segments
    // ahead of it left. That copy then is exactly where a walk over the cut build
    // stands when it ends.
    ProgressionState ahead;
    LevelSteps stepsAhead;
    int level = 0;
    for (int k = 1; k <= kSegmentCount; ++k) {
        const Segment& segment = sheet.segments[static_cast<std::size_t>(k - 1)];
        if (!walk::isAccepted(segment)) {
            break;
        }
        const int levels = walk::levelValue(segment.levelText);
        for (int cut = 1; cut <= levels; ++cut) {
            ProgressionState cutState = ahead;
            LevelSteps& steps = result.steps.emplace_back(stepsAhead);
            walk::processSegment(cutState, table,
                                 Segment{integerText(cut), segment.firstClass, segment.secondClass},
                                 k, &steps.rows[static_cast<std::size_t>(k - 1)]);
            steps.rowCount = static_cast<std::int16_t>(k);
            steps.level = static_cast<std::int16_t>(++level);
            result.rows.push_back(rowOf(cutState, table, level, k));
        }
        walk::processSegment(ahead, table, segment, k,
                             &stepsAhead.rows[static_cast<std::size_t>(k - 1)]);
    }
    return result;
}

}  // namespace vostrel
