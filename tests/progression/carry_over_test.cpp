#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "carry_over.h"
#include "kept_builds.h"
#include "sample_classes.h"

namespace vostrel::testing {
namespace {

ClassTable namedTable(const std::vector<const char*>& names) {
    std::vector<ClassRecord> records;
    for (const char* name : names) {
        records.push_back(makeClass({name, 8, 2, 0.5, ""}));
    }
    return makeTable(std::move(records));
}

struct CarryCase {
    const char* name;
    std::vector<const char*> from;
    std::vector<const char*> to;
    std::vector<std::int16_t> chosen;   // rows' first and second lists, slots in `from`
    std::vector<std::int16_t> carried;  // the same lists, slots in `to`
    std::string lost;                   // the messages, one a line
};

class CarryOver : public ::testing::TestWithParam<CarryCase> {};

TEST_P(CarryOver, KeepsEachClassByNameAndNamesTheLostOnes) {
    const CarryCase& c = GetParam();
    BuildSheet sheet;
    for (std::size_t i = 0; i < c.chosen.size(); ++i) {
        Segment& row = sheet.segments[i / 2];
        row.levelText = std::to_string(i);
        (i % 2 == 0 ? row.firstClass : row.secondClass) = c.chosen[i];
    }
    const CarriedBuild build = carryOverBuild(sheet, namedTable(c.from), namedTable(c.to));
    std::vector<std::int16_t> carried;
    std::string lost;
    for (std::size_t i = 0; i < c.chosen.size(); ++i) {
        const Segment& row = build.sheet.segments[i / 2];
        EXPECT_EQ(row.levelText, sheet.segments[i / 2].levelText);
        carried.push_back(i % 2 == 0 ? row.firstClass : row.secondClass);
    }
    for (const LostChoice& one : build.lost) {
        lost += lostChoiceText(one) + "\n";
    }
    EXPECT_EQ(carried, c.carried);
    EXPECT_EQ(lost, c.lost);
}

INSTANTIATE_TEST_SUITE_P(
    Files, CarryOver,
    ::testing::Values(
        CarryCase{"SameNames",
                  {"Warden", "Mystic"},
                  {"Warden", "Mystic"},
                  {1, 2, 2, 1},
                  {1, 2, 2, 1},
                  ""},
        CarryCase{"NothingChosenAndNoneStay",
                  {"Warden"},
                  {"", "Mystic"},
                  {-1, 0, 0, -1},
                  {-1, 0, 0, -1},
                  ""},
        CarryCase{"MovedInTheFile",
                  {"Warden", "Mystic"},
                  {"Scout", "Mystic", "Warden"},
                  {1, 2, 2, 2},
                  {3, 2, 2, 2},
                  ""},
        CarryCase{"RenamedClass",
                  {"Warden", "Gloam"},
                  {"Warden", "Dusk"},
                  {1, 2, 2, 1},
                  {1, 0, 0, 1},
                  "Row 1, second class: the file no longer has a class named \"Gloam\".\n"
                  "Row 2, first class: the file no longer has a class named \"Gloam\".\n"},
        CarryCase{"ClassGone",
                  {"Warden", "Gloam", "Mystic"},
                  {"Warden", "Mystic"},
                  {0, 0, 0, 0, 3, 2},
                  {0, 0, 0, 0, 2, 0},
                  "Row 3, second class: the file no longer has a class named \"Gloam\".\n"},
        CarryCase{"MatchesOnlyIgnoringCase",
                  {"Gloam", "Ward"},
                  {"GLOAMS", "gLoAm", "WARD"},
                  {1, 2},
                  {2, 3},
                  ""},
        CarryCase{"ExactCaseBeforeIgnoredCase", {"gloam"}, {"Gloam", "gloam"}, {1, 1}, {2, 2}, ""},
        CarryCase{"TwinsKeepTheirPlace",
                  {"Twin", "Twin"},
                  {"Other", "Twin", "twin", "Twin"},
                  {2, 1},
                  {4, 2},
                  ""},
        CarryCase{"SecondTwinGone",
                  {"Twin", "Warden", "Twin"},
                  {"Twin", "Warden"},
                  {3, 1, 2, 3},
                  {0, 1, 2, 0},
                  "Row 1, first class: the file no longer has a class named \"Twin (2)\".\n"
                  "Row 2, second class: the file no longer has a class named \"Twin (2)\".\n"},
        CarryCase{"EmptyNewFile",
                  {"Warden"},
                  {},
                  {1, 0},
                  {0, 0},
                  "Row 1, first class: the file no longer has a class named \"Warden\".\n"}),
    CaseName{});

// Kept builds follow their classes into the new file as the rows do.
TEST(CarryOver, KeptBuildsFindTheirClassesByName) {
    const ClassTable from = namedTable({"Warden", "Mystic", "Scout"});
    KeptBuilds kept;
    kept.keep(makeSheet({{"3", 2, 3}, {"2", 1, 1}}), from);
    kept.carryOver(from, namedTable({"Scout", "Gloam", "Mystic"}));
    const BuildSheet& rows = kept[0].rows;
    EXPECT_EQ((std::vector<std::int16_t>{rows.segments[0].firstClass, rows.segments[0].secondClass,
                                         rows.segments[1].firstClass}),
              (std::vector<std::int16_t>{3, 1, 0}));
    EXPECT_EQ(rows.segments[1].levelText, "2");
}

}  // namespace
}  // namespace vostrel::testing
