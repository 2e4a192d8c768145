#include <gtest/gtest.h>

#include <cstddef>
#include <map>
#include <string>

#include "sample_classes.h"

namespace vostrel::testing {
namespace {

using enum ProgressionOutcome;

TEST(HitDiceAndSkills, WorkedExampleAfterEachSegment) {
    const ProgressionState one =
        computeProgression(makeSheet({{"4", Warden, Mystic}}), sampleTable()).state;
    EXPECT_EQ(one.skillText, "[(2 + int modifier) * 7 (Warden/Mystic lists)]");
    EXPECT_EQ(one.hitDieTally[10], 4);

    const ProgressionState two =
        computeProgression(makeSheet({{"4", Warden, Mystic}, {"4", Scout, Mystic}}), sampleTable())
            .state;
    EXPECT_EQ(two.skillText,
              "[(2 + int modifier) * 7 (Warden/Mystic lists)] + "
              "[(6 + int modifier) * 4 (Scout/Mystic lists)]");
    EXPECT_EQ(two.hitDieTally[10], 4);
    EXPECT_EQ(two.hitDieTally[8], 4);
    EXPECT_EQ(two.segmentHitDie[2], 8);
    EXPECT_EQ(two.segmentSkillPoints[2], 6);
}

struct DieCase {
    const char* name;
    BuildSheet sheet;
    std::map<int, int> tally;  // every other die size stays 0
    std::string skillText;
};

class HitDiceAndSkills : public ::testing::TestWithParam<DieCase> {};

TEST_P(HitDiceAndSkills, TalliesDiceAndWritesTheFormula) {
    const DieCase& c = GetParam();
    const ProgressionResult result = computeProgression(c.sheet, sampleTable());
    ASSERT_EQ(result.outcome, Finished);
    for (int die = 0; die <= kMaxLevel; ++die) {
        const auto expected = c.tally.find(die);
        EXPECT_EQ(result.state.hitDieTally[static_cast<std::size_t>(die)],
                  expected == c.tally.end() ? 0 : expected->second)
            << "d" << die;
    }
    EXPECT_EQ(result.state.skillText, c.skillText);
}

INSTANTIATE_TEST_SUITE_P(
    Builds, HitDiceAndSkills,
    ::testing::Values(DieCase{"OneLevelFirstSegmentMultipliesByFour",
                              makeSheet({{"1", Adept, Mystic}}),
                              {{6, 1}},
                              "[(2 + int modifier) * 4 (Adept/Mystic lists)]"},
                      DieCase{"TwentyLevelsMultiplyByTwentyThree",
                              makeSheet({{"20", Scout, Adept}}),
                              {{8, 20}},
                              "[(6 + int modifier) * 23 (Scout/Adept lists)]"},
                      DieCase{"EqualClassesNameBothInOrder",
                              makeSheet({{"2", C, Scout}}),
                              {{8, 2}},
                              "[(6 + int modifier) * 5 (C/Scout lists)]"},
                      DieCase{"SameClassTwiceIsNamedTwice",
                              makeSheet({{"2", Warden, Warden}}),
                              {{10, 2}},
                              "[(2 + int modifier) * 5 (Warden/Warden lists)]"},
                      DieCase{"SegmentsWithOneDieShareTheEntry",
                              makeSheet({{"2", Scout, Adept}, {"1", Mystic, Adept}, {"3", D, B}}),
                              {{8, 5}, {6, 1}},
                              "[(6 + int modifier) * 5 (Scout/Adept lists)] + "
                              "[(2 + int modifier) * 1 (Mystic/Adept lists)] + "
                              "[(4 + int modifier) * 3 (D/B lists)]"},
                      DieCase{"LargestAndOddDiceAreTallied",
                              makeSheet({{"2", Giant, A}, {"3", Odd, Negative}}),
                              {{20, 2}, {3, 3}},
                              "[(4 + int modifier) * 5 (Giant/A lists)] + "
                              "[(2 + int modifier) * 3 (Odd/Negative lists)]"},
                      DieCase{"DieAboveTwentyIsLeftUntallied",
                              makeSheet({{"2", Monster, A}, {"3", A, B}}),
                              {{10, 3}},
                              "[(4 + int modifier) * 5 (Monster/A lists)] + "
                              "[(4 + int modifier) * 3 (A/B lists)]"},
                      DieCase{"NegativeDieIsLeftUntallied",
                              makeSheet({{"2", Negative, Negative}}),
                              {},
                              "[(2 + int modifier) * 5 (Negative/Negative lists)]"},
                      DieCase{"NegativeSkillPointsKeepTheirSign",
                              makeSheet({{"1", Dunce, Dunce}}),
                              {{4, 1}},
                              "[(-1 + int modifier) * 4 (Dunce/Dunce lists)]"},
                      DieCase{"RejectedSecondSegmentAddsNoTerm",
                              makeSheet({{"3", Scout, B}, {"3", 0, B}}),
                              {{8, 3}},
                              "[(6 + int modifier) * 6 (Scout/B lists)]"}),
    CaseName{});

}  // namespace
}  // namespace vostrel::testing
