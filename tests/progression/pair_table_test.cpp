#include <gtest/gtest.h>

#include "pair_table.h"
#include "sample_classes.h"

namespace vostrel::testing {
namespace {

struct PlaceCase {
    const char* name;
    BuildSheet sheet;
    int level;
    PairPlace expected;
};

class PlaceOfPair : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(PlaceOfPair, TakesTheRowWhereTheReportStopsAndTheLevelsLeft) {
    const PlaceCase& c = GetParam();
    const PairPlace place = placeOfPair(c.sheet, c.level);
    EXPECT_EQ(std::tie(place.fit, place.segment, place.levels),
              std::tie(c.expected.fit, c.expected.segment, c.expected.levels));
}

using enum PairFit;
const Segment kNone{"", -1, -1};

INSTANTIATE_TEST_SUITE_P(
    Builds, PlaceOfPair,
    ::testing::Values(
        PlaceCase{"EmptyBuildTakesTheWholeLevel", makeSheet({}), 20, {Fits, 1, 20}},
        PlaceCase{"CappedByTheRowsAbove", makeSheet({{"5", A, B}, {"3", C, D}}), 20, {Fits, 3, 12}},
        PlaceCase{"FewerLevelsThanLeftStayAsChosen", makeSheet({{"5", A, B}}), 6, {Fits, 2, 6}},
        // The report stops at the first row not complete: the pair must go there.
        PlaceCase{"ARowWithOneClassStopsTheReport",
                  makeSheet({{"4", A, B}, {"3", A, -1}, {"2", 0, C}}),
                  20,
                  {RowIncomplete, 2, 0}},
        PlaceCase{"ARowWithNoLevelsStopsTheReport",
                  makeSheet({{"0", A, B}, kNone}),
                  20,
                  {RowIncomplete, 1, 0}},
        PlaceCase{"TheFreeRowWhereTheReportStopsCountsTheRowsBelow",
                  makeSheet({kNone, {"5", A, B}}),
                  20,
                  {Fits, 1, 15}},
        PlaceCase{"NoneInBothListsIsFreeAndItsOwnBoxIsWrittenOver",
                  makeSheet({{"4", A, B}, {"9", 0, 0}, {"10", -1, -1}}),
                  20,
                  {Fits, 2, 6}},
        PlaceCase{"TextThatIsNoNumberCountsNothing",
                  makeSheet({{"5", A, B}, kNone, {"x", C, D}}),
                  20,
                  {Fits, 2, 15}},
        PlaceCase{"EveryRowComplete",
                  makeSheet({{"1", A, B}, {"1", A, B}, {"1", A, B}, {"1", A, B}, {"1", C, D}}),
                  1,
                  {NoFreeRow, 0, 0}},
        PlaceCase{"TwentyLevelsInOtherRows",
                  makeSheet({{"12", A, B}, kNone, {"8", 0, 0}}),
                  20,
                  {NoLevelLeft, 0, 0}},
        PlaceCase{
            "MoreThanTwentyInOtherRows", makeSheet({kNone, {"99", A, B}}), 1, {NoLevelLeft, 0, 0}}),
    CaseName{});

}  // namespace
}  // namespace vostrel::testing
