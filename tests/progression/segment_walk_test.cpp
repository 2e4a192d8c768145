#include <gtest/gtest.h>

#include <cstddef>
#include <map>
#include <numeric>
#include <vector>

#include "level_by_level.h"
#include "sample_classes.h"
#include "segment_walk.h"

namespace vostrel::testing {
namespace {

struct WalkCase {
    const char* name;
    BuildSheet sheet;
    ProgressionOutcome outcome;
    std::vector<int> acceptedLevels;  // level counts of the walked segments, in order
};

class SegmentWalk : public ::testing::TestWithParam<WalkCase> {};

TEST_P(SegmentWalk, ChecksTheTotalAndWalksUpToTheFirstIncompleteSegment) {
    const WalkCase& c = GetParam();
    const ProgressionResult result = computeProgression(c.sheet, sampleTable());
    EXPECT_EQ(result.outcome, c.outcome);

    std::vector<int> walked;
    for (std::size_t k = 1; k <= kSegmentCount && result.state.segmentLevels[k] > 0; ++k) {
        walked.push_back(result.state.segmentLevels[k]);
    }
    EXPECT_EQ(walked, c.acceptedLevels);
    if (c.outcome != ProgressionOutcome::Finished) {
        EXPECT_TRUE(result.state.skillText.empty());
        EXPECT_EQ(result.state.bab, 0);
    }

    // The level-by-level table takes the build the same way: one row per walked level.
    const LevelByLevelResult table = levelByLevel(c.sheet, sampleTable());
    EXPECT_EQ(table.outcome, c.outcome);
    EXPECT_EQ(table.rows.size(), static_cast<std::size_t>(std::accumulate(
                                     c.acceptedLevels.begin(), c.acceptedLevels.end(), 0)));
    for (std::size_t n = 0; n < table.rows.size(); ++n) {
        EXPECT_EQ(table.rows[n].level, static_cast<int>(n + 1));
    }
}

using enum ProgressionOutcome;
const Segment kNone{"0", -1, -1};

INSTANTIATE_TEST_SUITE_P(
    Builds, SegmentWalk,
    ::testing::Values(
        WalkCase{
            "TotalOfTwentyIsAllowed", makeSheet({{"15", A, B}, {"5", C, D}}), Finished, {15, 5}},
        WalkCase{"UnreachedBoxesStillCountTowardTheTotal",
                 makeSheet({{"15", A, B}, {"0", A, B}, {"6", 0, 0}}),
                 TooManyLevels,
                 {}},
        WalkCase{"TooManyLevelsEvenWhenSegmentOneIsIncomplete",
                 makeSheet({{"20", A, 0}, {"5", A, B}}),
                 TooManyLevels,
                 {}},
        WalkCase{"SegmentOneWithoutSecondClassShowsNothing",
                 makeSheet({{"3", A, 0}, {"3", A, B}, {"3", A, B}, {"3", A, B}, {"3", A, B}}),
                 NothingToShow,
                 {}},
        WalkCase{"SegmentTwoWithOneClassEndsTheWalk",
                 makeSheet({{"4", A, B}, {"4", C, -1}, {"4", C, D}}),
                 Finished,
                 {4}},
        WalkCase{"ZeroLevelsEndTheWalk",
                 makeSheet({{"2", A, B}, {"2", C, D}, {"2", A, C}, {"0", A, B}, {"2", B, D}}),
                 Finished,
                 {2, 2, 2}},
        WalkCase{"ZeroLevelsFailAcceptance", makeSheet({{"0", A, B}}), NothingToShow, {}},
        WalkCase{"DoubleZeroFailsAcceptance", makeSheet({{"00", A, B}}), NothingToShow, {}},
        WalkCase{"LeadingZeroIsRead", makeSheet({{"07", A, B}}), Finished, {7}},
        // An emptied box counts as 0 levels, in the total and in acceptance.
        WalkCase{"EmptyBoxesCountAsZero",
                 makeSheet({{"5", A, B}, {"", A, B}, {"3", A, B}}),
                 Finished,
                 {5}},
        WalkCase{
            "EmptySegmentOneShowsNothing", makeSheet({{"", A, B}, {"5", A, B}}), NothingToShow, {}},
        WalkCase{"LongNumeralWithLeadingZeros",
                 makeSheet({{"0000000000000000000000007", A, B}}),
                 Finished,
                 {7}},
        WalkCase{"LongNumeralIsTooManyWithoutOverflow",
                 makeSheet({{"99999999999999999999999999999", A, B}}),
                 TooManyLevels,
                 {}},
        WalkCase{"TwentyOneIsTooMany",
                 makeSheet({kNone, kNone, kNone, kNone, {"21", A, B}}),
                 TooManyLevels,
                 {}},
        WalkCase{"LongOneOverTwentyIsTooMany",
                 makeSheet({{"20", A, B}, {"0000000000000000000001", A, B}}),
                 TooManyLevels,
                 {}},
        WalkCase{"NonDigitTextCountsAsZero",
                 makeSheet({{"20", A, B}, {"-5", A, B}, {"1x", A, B}}),
                 Finished,
                 {20}},
        // Class positions outside 1..40 fail like "<None>"; 1..40 beyond the file read empty.
        WalkCase{"PositionAboveFortyFails", makeSheet({{"3", A, 41}}), NothingToShow, {}},
        WalkCase{"LargestPositionFails", makeSheet({{"3", 32767, A}}), NothingToShow, {}},
        WalkCase{"NegativePositionFails", makeSheet({{"3", -32768, A}}), NothingToShow, {}},
        WalkCase{"UnfilledSlotIsAccepted", makeSheet({{"3", A, 40}}), Finished, {3}}),
    CaseName{});

struct ClassLevelCase {
    const char* name;
    BuildSheet sheet;
    std::map<int, int> classLevels;  // every other slot stays 0
};

class ClassLevelTally : public ::testing::TestWithParam<ClassLevelCase> {};

TEST_P(ClassLevelTally, CountsEachClassOncePerSegment) {
    const ClassLevelCase& c = GetParam();
    const ProgressionResult result = computeProgression(c.sheet, sampleTable());
    ASSERT_EQ(result.outcome, Finished);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const auto expected = c.classLevels.find(slot);
        EXPECT_EQ(result.state.classLevels[static_cast<std::size_t>(slot)],
                  expected == c.classLevels.end() ? 0 : expected->second)
            << "slot " << slot;
    }
}

INSTANTIATE_TEST_SUITE_P(Builds, ClassLevelTally,
                         ::testing::Values(ClassLevelCase{"SharedClassAddsUp",
                                                          makeSheet({{"5", A, B}, {"3", A, C}}),
                                                          {{A, 8}, {B, 5}, {C, 3}}},
                                           ClassLevelCase{"SameClassInBothListsCountsOnce",
                                                          makeSheet({{"1", A, B}, {"11", C, C}}),
                                                          {{A, 1}, {B, 1}, {C, 11}}},
                                           ClassLevelCase{"UnfilledSlotIsTallied",
                                                          makeSheet({{"3", A, 40}}),
                                                          {{A, 3}, {40, 3}}}),
                         CaseName{});

TEST(SegmentWalk, UnfilledSlotActsAsTheEmptyClass) {
    const ProgressionResult result = computeProgression(makeSheet({{"2", 40, 40}}), sampleTable());
    ASSERT_EQ(result.outcome, Finished);
    EXPECT_EQ(result.state.skillText, "[(0 + int modifier) * 5 (/ lists)]");
    EXPECT_EQ(result.state.hitDieTally[0], 2);
    EXPECT_EQ(result.state.bab, 0);
}

TEST(SegmentWalk, IgnoresASegmentNumberOutsideOneToFive) {
    ProgressionState state =
        computeProgression(makeSheet({{"4", Warden, Mystic}}), sampleTable()).state;
    const ProgressionState before = state;
    for (const int k : {-1, 0, 6, 1000}) {
        walk::processSegment(state, sampleTable(), Segment{"4", Warden, Mystic}, k);
    }
    EXPECT_EQ(state, before);
}

}  // namespace
}  // namespace vostrel::testing
