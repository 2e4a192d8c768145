#include <algorithm>
#include <cstddef>
#include <string_view>

#include "progression.h"
#include "segment_walk.h"

namespace vostrel {

namespace {

bool isClassPosition(std::int16_t position) {
    return position >= 1 && position <= kMaxClasses;
}

const Segment& segmentAt(const BuildSheet& sheet, int k) {
    return sheet.segments[static_cast<std::size_t>(k - 1)];
}

}  // namespace

std::optional<int> levelCount(std::string_view text) {
    // Five of these add up without overflow and still exceed the limit.
    constexpr int kLevelsBeyondLimit = kMaxCharacterLevel + 1;
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = std::min(value * 10 + (c - '0'), kLevelsBeyondLimit);
    }
    return value;
}

namespace walk {

// Text with anything but digits counts as no levels.
int levelValue(std::string_view text) {
    return levelCount(text).value_or(0);
}

bool isAccepted(const Segment& segment) {
    return levelValue(segment.levelText) > 0 && isClassPosition(segment.firstClass) &&
           isClassPosition(segment.secondClass);
}

ProgressionOutcome checkBuild(const BuildSheet& sheet) {
    // Every box counts here, even those of segments the walk will never reach.
    int total = 0;
    for (const Segment& segment : sheet.segments) {
        total += levelValue(segment.levelText);
    }
    if (total > kMaxCharacterLevel) {
        return ProgressionOutcome::TooManyLevels;
    }
    if (!isAccepted(segmentAt(sheet, 1))) {
        return ProgressionOutcome::NothingToShow;
    }
    return ProgressionOutcome::Finished;
}

void processSegment(ProgressionState& state, const ClassTable& table, const Segment& segment, int k,
                    SegmentSteps* steps) {
    if (!isSegmentNumber(k)) {
        return;
    }
    const std::int16_t a = segment.firstClass;
    const std::int16_t b = segment.secondClass;
    state.setClassesOf(k, {a, b});

    // The level total has passed, so every count here is 0..20.
    const auto levels = static_cast<std::int16_t>(levelValue(segment.levelText));
    state.segmentLevels[static_cast<std::size_t>(k)] = levels;

    // A class chosen in both lists of one segment gains the levels once.
    auto& levelsOfA = state.classLevels[static_cast<std::size_t>(a)];
    levelsOfA = static_cast<std::int16_t>(levelsOfA + levels);
    if (b != a) {
        auto& levelsOfB = state.classLevels[static_cast<std::size_t>(b)];
        levelsOfB = static_cast<std::int16_t>(levelsOfB + levels);
    }

    const bool recording = steps != nullptr;
    if (recording) {
        steps->segment = static_cast<std::int16_t>(k);
        steps->levels = levels;
        steps->first = {a, levelsOfA};
        steps->second = {b, state.classLevels[static_cast<std::size_t>(b)]};
    }
    takeHitDie(state, table, k, recording ? &steps->hitDie : nullptr);
    takeSkillPoints(state, table, k, recording ? &steps->skillPoints : nullptr);
    takeAttack(state, table, k, recording ? &steps->attack : nullptr);
    takeSaves(state, table, k, steps);
}

}  // namespace walk

ProgressionResult computeProgression(const BuildSheet& sheet, const ClassTable& table) {
    ProgressionResult result;
    result.outcome = walk::checkBuild(sheet);
    if (result.outcome != ProgressionOutcome::Finished) {
        return result;
    }
    for (int k = 1; k <= kSegmentCount; ++k) {
        const Segment& segment = segmentAt(sheet, k);
        if (!walk::isAccepted(segment)) {
            break;
        }
        walk::processSegment(result.state, table, segment, k);
    }
    return result;
}

}  // namespace vostrel
