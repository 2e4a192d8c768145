#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "level_by_level.h"
#include "level_explanation.h"
#include "sample_classes.h"

namespace vostrel {

// Readable failures: one row per line.
void PrintTo(const LevelRow& row, std::ostream* out) {
    *out << "level " << row.level << " seg " << row.segment << " slots " << row.first.slot << ":"
         << row.first.classLevel << "/" << row.second.slot << ":" << row.second.classLevel << " d"
         << row.hitDie << " sp " << row.skillPoints << " bab " << row.bab << " saves " << row.fort
         << "/" << row.ref << "/" << row.will << " skill x" << row.skillTimes << " features";
    for (const std::string& feature : row.features) {
        *out << " [" << feature << "]";
    }
}

namespace testing {
namespace {

struct RowsCase {
    const char* name;
    BuildSheet sheet;
    std::vector<LevelRow> rows;
    const char* lastRowWords = nullptr;  // how the last row explains itself
};

void PrintTo(const RowsCase& c, std::ostream* out) {
    *out << c.name;
}

class LevelByLevel : public ::testing::TestWithParam<RowsCase> {};

TEST_P(LevelByLevel, GivesEveryLevelOfAWorkedBuild) {
    const RowsCase& c = GetParam();
    const LevelByLevelResult result = levelByLevel(c.sheet, sampleTable());
    ASSERT_EQ(result.outcome, ProgressionOutcome::Finished);
    ASSERT_EQ(result.rows.size(), c.rows.size());
    for (std::size_t n = 0; n < c.rows.size(); ++n) {
        EXPECT_EQ(result.rows[n], c.rows[n]);
    }
    if (c.lastRowWords != nullptr) {
        EXPECT_EQ(explainLevel(result.rows.back(), result.steps.back(), sampleTable()).row,
                  c.lastRowWords);
    }
}

// Columns: level, segment, first class and its level, second class and its level,
// hit die, skill points, BAB, Fort, Ref, Will (floored), features, and 4 at level 1
// for the four times the report counts its skill points.
INSTANTIATE_TEST_SUITE_P(
    Builds, LevelByLevel,
    ::testing::Values(
        // Good Fort and Will start at 2.5 and gain a half per level; poor Ref a third.
        RowsCase{
            "OneSegment",
            makeSheet({{"4", Warden, Mystic}}),
            {{1, 1, {Warden, 1}, {Mystic, 1}, 10, 2, 1, 2, 0, 2, {"Warden 1", "Mystic 1"}, 4},
             {2, 1, {Warden, 2}, {Mystic, 2}, 10, 2, 2, 3, 0, 3, {"Warden 2", "Mystic 2"}},
             {3, 1, {Warden, 3}, {Mystic, 3}, 10, 2, 3, 3, 1, 3, {"Warden 3", "Mystic 3"}},
             {4, 1, {Warden, 4}, {Mystic, 4}, 10, 2, 4, 4, 1, 4, {"Shield wall", "Mystic 4"}}},
            "Level 4: row 1, Warden 4 / Mystic 4.\n"
            "Hit die d10 at level 4: row 1, Warden's d10, larger than Mystic's d6.\n"
            "Skill points 2 at level 4: row 1, Warden and Mystic both give 2 a level.\n"
            "BAB 4 at level 4: row 1, 4 levels x 1 (Warden's rate, the higher of its pair) = 4.\n"
            "Fort 4 at level 4: row 1, 4 levels, good (Warden's): +2, as the pair is new (8 class "
            "levels, no more than twice 4), plus half of 4 levels: 2 + 2 = 4; in all 4.\n"
            "Ref 1 at level 4: row 1, 4 levels, poor (Warden's and Mystic's): a third of 4 levels: "
            "1 1/3; in all 1 1/3, floored to 1.\n"
            "Will 4 at level 4: row 1, 4 levels, good (Mystic's): +2, as the pair is new (8 class "
            "levels, no more than twice 4), plus half of 4 levels: 2 + 2 = 4; in all 4.\n"
            "Features gained at this level: Shield wall; Mystic 4"},
        // The worked attack and save example. In segment 2 the rate of 0.75 is
        // rounded onto the running 3 at every level: 3.75 -> 4, 4.5 -> 4 (ties to
        // even), 5.25 -> 5, 6. The last row is the report's 8, +5, +6, +5.
        RowsCase{"SegmentsChangingClassesAndRates",
                 makeSheet({{"3", A, B}, {"4", C, D}, {"2", A, C}}),
                 {{1, 1, {A, 1}, {B, 1}, 10, 4, 1, 2, 0, 2, {"A 1", "B 1"}, 4},
                  {2, 1, {A, 2}, {B, 2}, 10, 4, 2, 3, 0, 3, {"A 2", "B 2"}},
                  {3, 1, {A, 3}, {B, 3}, 10, 4, 3, 3, 1, 3, {"A 3", "B 3"}},
                  {4, 2, {C, 1}, {D, 1}, 8, 6, 4, 3, 3, 3, {"C 1", "D 1"}},
                  {5, 2, {C, 2}, {D, 2}, 8, 6, 4, 4, 4, 4, {"C 2", "D 2"}},
                  {6, 2, {C, 3}, {D, 3}, 8, 6, 5, 4, 4, 4, {"C 3", "D 3"}},
                  {7, 2, {C, 4}, {D, 4}, 8, 6, 6, 4, 5, 4, {"C 4", "D 4"}},
                  {8, 3, {A, 4}, {C, 5}, 10, 6, 7, 5, 5, 5, {"A 4", "C 5"}},
                  {9, 3, {A, 5}, {C, 6}, 10, 6, 8, 5, 6, 5, {"A 5", "C 6"}}}},
        // Scout in both lists gains each level once, lists its features once and,
        // being new, brings the 2 to its good Ref.
        RowsCase{"ClassInBothLists",
                 makeSheet({{"2", Warden, Mystic}, {"3", Scout, Scout}}),
                 {{1, 1, {Warden, 1}, {Mystic, 1}, 10, 2, 1, 2, 0, 2, {"Warden 1", "Mystic 1"}, 4},
                  {2, 1, {Warden, 2}, {Mystic, 2}, 10, 2, 2, 3, 0, 3, {"Warden 2", "Mystic 2"}},
                  {3, 2, {Scout, 1}, {Scout, 1}, 8, 6, 3, 3, 3, 3, {"Scout 1"}},
                  {4, 2, {Scout, 2}, {Scout, 2}, 8, 6, 4, 3, 3, 3, {"Scout 2"}},
                  {5, 2, {Scout, 3}, {Scout, 3}, 8, 6, 4, 4, 4, 4, {"Scout 3"}}}}),
    CaseName{});

TEST(LevelByLevelLastRow, ShowsTheFeaturesOfClassLevel20) {
    const LevelByLevelResult result =
        levelByLevel(makeSheet({{"20", Warden, Mystic}}), sampleTable());
    ASSERT_EQ(result.rows.size(), 20u);
    EXPECT_EQ(result.rows.back().features, (std::vector<std::string>{"Warden 20", "Mystic 20"}));
}

}  // namespace
}  // namespace testing
}  // namespace vostrel
