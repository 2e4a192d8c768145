#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "level_explanation.h"
#include "sample_classes.h"

namespace vostrel::testing {
namespace {

using enum ProgressionOutcome;

ProgressionState walk(const BuildSheet& sheet) {
    const ProgressionResult result = computeProgression(sheet, sampleTable());
    EXPECT_EQ(result.outcome, Finished);
    return result.state;
}

// The worked example: A and B for 3 levels, C and D for 4, A and C for 2,
// checked after each segment.
struct WorkedRow {
    const char* name;
    BuildSheet sheet;
    int bab;
    double fort, ref, will;
};

class AttackAndSavesWorkedExample : public ::testing::TestWithParam<WorkedRow> {};

TEST_P(AttackAndSavesWorkedExample, MatchesEverySegment) {
    const WorkedRow& row = GetParam();
    const ProgressionState state = walk(row.sheet);
    EXPECT_EQ(state.bab, row.bab);
    // Exact: a whole number of sixths, whatever the order of the sums.
    EXPECT_EQ(state.fort.value(), row.fort);
    EXPECT_EQ(state.ref.value(), row.ref);
    EXPECT_EQ(state.will.value(), row.will);
}

const Segment kFirst{"3", A, B};
const Segment kSecond{"4", C, D};
const Segment kThird{"2", A, C};

INSTANTIATE_TEST_SUITE_P(
    Segments, AttackAndSavesWorkedExample,
    ::testing::Values(WorkedRow{"AfterSegmentOne", makeSheet({kFirst}), 3, 3.5, 1.0, 3.5},
                      WorkedRow{"AfterSegmentTwo", makeSheet({kFirst, kSecond}), 6, 29.0 / 6, 5.0,
                                29.0 / 6},
                      WorkedRow{"AfterSegmentThree", makeSheet({kFirst, kSecond, kThird}), 8,
                                35.0 / 6, 6.0, 5.5}),
    CaseName{});

TEST(AttackAndSavesWorkedExample, ReportShowsFlooredSaves) {
    const std::vector<std::string> lines =
        reportLines(buildReportText(walk(makeSheet({kFirst, kSecond, kThird})), sampleTable()));
    ASSERT_EQ(lines.size(), 7U);
    EXPECT_EQ(lines[2], "BAB=8");
    EXPECT_EQ(lines[3], "Fort=+5");
    EXPECT_EQ(lines[4], "Ref=+6");
    EXPECT_EQ(lines[5], "Will=+5");
}

// How the last level's number came about, as its words end.
std::string explained(const BuildSheet& sheet, LevelValue value) {
    return explainValue(levelByLevel(sheet, sampleTable()).steps.back(), value, sampleTable());
}

struct BabCase {
    const char* name;
    BuildSheet sheet;
    int bab;
    const char* explainedEnd = "";
};

class AttackBonus : public ::testing::TestWithParam<BabCase> {};

TEST_P(AttackBonus, IsRoundedHalfToEvenAfterEverySegment) {
    EXPECT_EQ(walk(GetParam().sheet).bab, GetParam().bab);
    EXPECT_TRUE(explained(GetParam().sheet, LevelValue::Bab).ends_with(GetParam().explainedEnd))
        << explained(GetParam().sheet, LevelValue::Bab);
}

INSTANTIATE_TEST_SUITE_P(
    Builds, AttackBonus,
    ::testing::Values(BabCase{"TwentyLevelsAtThreeQuarters", makeSheet({{"20", B, C}}), 15},
                      BabCase{"OneAndAHalfRoundsUp", makeSheet({{"2", C, B}}), 2},
                      BabCase{"FourAndAHalfRoundsDown", makeSheet({{"6", B, C}}), 4},
                      BabCase{"SevenAndAHalfRoundsUp", makeSheet({{"10", C, B}}), 8},
                      BabCase{"TwoAndAHalfRoundsDown", makeSheet({{"5", Adept, B}}), 2},
                      BabCase{"HalfRoundsToZeroEverySegment",
                              makeSheet({{"1", Adept, B}, {"1", Adept, B}, {"1", Adept, B}}), 0,
                              "this is 2 less than the parts rounded once: 0.5 + 0.5 + 0.5 = 1.5, "
                              "which rounds to the even 2."},
                      BabCase{"SameLevelsInOneSegment", makeSheet({{"3", Adept, B}}), 2,
                              "(the rate Adept and B share) = 1.5, which rounds to the even 2."},
                      BabCase{"EqualRatesUseTheCommonRate", makeSheet({{"4", C, D}}), 3},
                      BabCase{"FirstClassWithTheBetterRate", makeSheet({{"4", A, Adept}}), 4},
                      BabCase{"ThirdsAndTenthsShowNoDoubleNoise",
                              makeSheet({{"2", Sage, Tithe}, {"3", Tithe, Tithe}}), 1,
                              "= 0.6666..., which rounds to 1; row 2, 3 levels x 0.1 (Tithe's "
                              "rate) = 0.3; 1 + 0.3 = 1.3, which rounds to 1."},
                      BabCase{"NegativeRateGoesBelowZero", makeSheet({{"3", Cursed, Cursed}}), -2}),
    CaseName{});

struct SaveCase {
    const char* name;
    BuildSheet sheet;
    double fort;
    const char* fortLine;
    const char* explainedEnd = "";
};

class FortitudeSave : public ::testing::TestWithParam<SaveCase> {};

TEST_P(FortitudeSave, KeepsItsFractionUntilTheReport) {
    const SaveCase& c = GetParam();
    const ProgressionState state = walk(c.sheet);
    EXPECT_EQ(state.fort.value(), c.fort);
    EXPECT_EQ(reportLines(buildReportText(state, sampleTable())).at(3), c.fortLine);
    EXPECT_TRUE(explained(c.sheet, LevelValue::Fort).ends_with(c.explainedEnd))
        << explained(c.sheet, LevelValue::Fort);
}

// A has the good Fortitude; B, C and D the poor one.
INSTANTIATE_TEST_SUITE_P(
    Builds, FortitudeSave,
    ::testing::Values(SaveCase{"GoodOverTwentyLevels", makeSheet({{"20", A, B}}), 12.0, "Fort=+12"},
                      SaveCase{"PoorOverTwentyLevels", makeSheet({{"20", B, C}}), 20.0 / 3.0,
                               "Fort=+6"},
                      SaveCase{"GoodFirstLevel", makeSheet({{"1", B, A}}), 2.5, "Fort=+2"},
                      SaveCase{"GoodThreeLevels", makeSheet({{"3", A, A}}), 3.5, "Fort=+3"},
                      SaveCase{"NewGoodClassBesideAnOldOneGetsNoBonus",
                               makeSheet({{"4", B, D}, {"4", B, A}}), 20.0 / 6, "Fort=+3",
                               "no +2, as B had levels before this row (B 8 + A 4 = 12 class "
                               "levels, more than twice 4), so only half of 4 levels: 2; in all "
                               "1 1/3 + 2 = 3 1/3, floored to 3."},
                      SaveCase{"TwoNewClassesGetTheBonus", makeSheet({{"4", B, D}, {"4", A, C}}),
                               32.0 / 6, "Fort=+5",
                               "+2, as the pair is new (8 class levels, no more than twice 4), "
                               "plus half of 4 levels: 2 + 2 = 4; in all 1 1/3 + 4 = 5 1/3, "
                               "floored to 5."},
                      SaveCase{"OldGoodClassGetsHalfLevels", makeSheet({{"4", A, B}, {"2", A, C}}),
                               5.0, "Fort=+5"},
                      // Thirds of 1, 4 and 1 levels make exactly 2, as 6 levels in one segment do.
                      SaveCase{"PoorSharesOfOneFourOneMakeTwo",
                               makeSheet({{"1", B, C}, {"4", B, C}, {"1", B, C}}), 2.0, "Fort=+2"}),
    CaseName{});

TEST(AttackBonus, SaturatesInsteadOfOverflowing) {
    const ClassTable table =
        makeTable({makeClass({"Titan", 8, 2, 1e300, ""}), makeClass({"Void", 8, 2, -1e300, ""})});
    const auto babOf = [&](std::int16_t slot) {
        return computeProgression(makeSheet({{"20", slot, slot}}), table).state.bab;
    };
    EXPECT_EQ(babOf(1), 32767);
    EXPECT_EQ(babOf(2), -32768);
}

}  // namespace
}  // namespace vostrel::testing
