#include <gtest/gtest.h>

#include <string>

#include "class_checks.h"
#include "sample_classes.h"

namespace vostrel::testing {
namespace {

using enum ProgressionOutcome;

std::string reportFor(const BuildSheet& sheet) {
    const ProgressionResult result = computeProgression(sheet, sampleTable());
    EXPECT_EQ(result.outcome, Finished);
    return buildReportText(result.state, sampleTable());
}

TEST(ReportText, WorkedExampleCharacterForCharacter) {
    const BuildSheet sheet =
        makeSheet({{"4", Warden, Mystic}, {"4", Scout, Mystic}, {"0", A, B}, {"0"}, {"0"}});
    EXPECT_EQ(reportFor(sheet),
              "HD=4d8 + 4d10\r\n"
              "Skill Points:[(2 + int modifier) * 7 (Warden/Mystic lists)] + "
              "[(6 + int modifier) * 4 (Scout/Mystic lists)]\r\n"
              "BAB=7\r\n"
              "Fort=+5\r\n"
              "Ref=+3\r\n"
              "Will=+6\r\n"
              "Class Features: Shield wall, Rite of dusk, Trailcraft");
}

TEST(ReportText, OneLevelWithoutGoodSaves) {
    EXPECT_EQ(reportFor(makeSheet({{"1", Hermit, Adept}})),
              "HD=1d6\r\n"
              "Skill Points:[(2 + int modifier) * 4 (Hermit/Adept lists)]\r\n"
              "BAB=0\r\n"
              "Fort=+0\r\n"
              "Ref=+0\r\n"
              "Will=+0\r\n"
              "Class Features: Adept 1, Hermit 1");
}

// The Classes window marks the dice this line leaves out by the same rule.
TEST(ReportText, HitDiceLineShowsExactlyTheListedDice) {
    for (std::int16_t die = 0; die <= kMaxLevel; ++die) {
        ClassTable table;
        ClassRecord record;
        record.hitDie = die;
        table.appendRecord(record);
        const ProgressionResult result = computeProgression(makeSheet({{"3", 1, 1}}), table);
        const std::string line = reportLines(buildReportText(result.state, table))[0];
        EXPECT_EQ(line, isListedHitDie(die) ? "HD=3d" + std::to_string(die) : "HD=") << line;
    }
}

struct LineCase {
    const char* name;
    BuildSheet sheet;
    std::size_t line;  // 0 is the hit-dice line, 6 the class features
    const char* text;
};

class ReportLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(ReportLine, ReadsAsExpected) {
    const LineCase& c = GetParam();
    const auto lines = reportLines(reportFor(c.sheet));
    ASSERT_EQ(lines.size(), 7U);
    EXPECT_EQ(lines[c.line], c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Builds, ReportLine,
    ::testing::Values(
        LineCase{"SmallestDieFirst", makeSheet({{"2", Brute, A}, {"1", Adept, Odd}}), 0,
                 "HD=1d4 + 2d12"},
        LineCase{"LargestDieLeftOut", makeSheet({{"2", Giant, A}, {"3", Scout, B}}), 0, "HD=3d8"},
        LineCase{"OddDieLeftOut", makeSheet({{"2", Odd, Negative}, {"3", Scout, B}}), 0, "HD=3d8"},
        LineCase{"NoListedDieLeavesTheLabel", makeSheet({{"2", Giant, Giant}}), 0, "HD="},
        LineCase{"UntalliedDieLeavesTheLabel", makeSheet({{"2", Monster, Odd}}), 0, "HD="},
        LineCase{"EmptyCellStillTakesItsPlace", makeSheet({{"2", Bard, Blank}}), 6,
                 "Class Features: , Song, verse, chorus"},
        LineCase{"OnlyAnEmptyCellEndsWithTheLabel", makeSheet({{"2", Blank, Blank}}), 6,
                 "Class Features: "},
        LineCase{"ClassInTwoSegmentsListedOnceAtItsTotal",
                 makeSheet({{"2", Scout, A}, {"3", B, C}, {"4", Scout, D}}), 6,
                 "Class Features: Scout 6, A 2, B 3, C 3, D 4"},
        LineCase{"CapstoneAtClassLevelTwenty", makeSheet({{"12", A, B}, {"8", A, C}}), 6,
                 "Class Features: A 20, B 12, C 8"},
        LineCase{"NegativeAttackBonusHasItsSign", makeSheet({{"5", Cursed, Cursed}}), 2, "BAB=-2"}),
    CaseName{});

}  // namespace
}  // namespace vostrel::testing
