#include <gtest/gtest.h>

#include "reader_test_support.h"

#include <climits>

#include "class_checks.h"
#include "class_table.h"

namespace vostrel {
namespace {

void expectEmptyRecord(const ClassRecord& record) {
    EXPECT_TRUE(record.name.empty());
    EXPECT_EQ(record.hitDie, 0);
    EXPECT_EQ(record.skillPoints, 0);
    EXPECT_EQ(record.babRate, 0.0);
    EXPECT_FALSE(record.fortGood || record.refGood || record.willGood);
    EXPECT_TRUE(record.fortText.empty() && record.refText.empty() && record.willText.empty());
    for (const std::string& feature : record.features) {
        EXPECT_TRUE(feature.empty());
    }
}

ClassRecord named(std::string name) {
    ClassRecord record;
    record.name = std::move(name);
    record.hitDie = 8;
    record.features[0] = "never shown";
    return record;
}

TEST(ClassTable, NewTableHasNoClassesAndEverySlotReadsEmpty) {
    const ClassTable table;
    EXPECT_EQ(table.classCount(), 0);
    EXPECT_TRUE(table.classNames().empty());
    for (int slot = 0; slot < kSlotCount; ++slot) {
        expectEmptyRecord(table.recordAt(slot));
    }
}

TEST(ClassTable, SlotsOutsideTheTableReadAsTheEmptyRecord) {
    ClassTable table;
    table.appendRecord(named("Ironclad"));
    for (const int slot : {-1, kSlotCount, INT_MIN, INT_MAX}) {
        expectEmptyRecord(table.recordAt(slot));
    }
}

TEST(ClassTable, FortyClassesFillSlotsOneToFortyAndAFortyFirstIsRefused) {
    ClassTable table;
    for (int i = 1; i <= kMaxClasses; ++i) {
        ASSERT_TRUE(table.appendRecord(named("C" + std::to_string(i))));
    }
    EXPECT_FALSE(table.appendRecord(named("One too many")));
    EXPECT_EQ(table.classCount(), kMaxClasses);
    EXPECT_EQ(table.recordAt(kMaxClasses).name, "C40");
    EXPECT_EQ(table.classNames().front(), "C1");
    EXPECT_EQ(table.classNames().back(), "C40");
    expectEmptyRecord(table.recordAt(0));
}

struct SaveText {
    const char* name;
    const char* text;
    bool good;
    bool doubtful;  // a text its author likely meant as good, which leaves the save poor
};

class GoodSaveText : public ::testing::TestWithParam<SaveText> {};

TEST_P(GoodSaveText, OnlyTheExactCapitalsSetTheFlag) {
    ClassTable table;
    ClassRecord record = named("Seer");
    record.fortText = record.refText = record.willText = GetParam().text;
    table.appendRecord(record);
    table.deriveGoodSaves();
    const ClassRecord& loaded = table.recordAt(1);
    EXPECT_EQ(loaded.fortGood, GetParam().good);
    EXPECT_EQ(loaded.refGood, GetParam().good);
    EXPECT_EQ(loaded.willGood, GetParam().good);
    EXPECT_EQ(loaded.willText, GetParam().text);
}

TEST_P(GoodSaveText, IsDoubtfulOnlyWhenNeitherTrueNorFalseNorEmpty) {
    EXPECT_EQ(isDoubtfulSaveText(GetParam().text), GetParam().doubtful);
}

INSTANTIATE_TEST_SUITE_P(ClassTable, GoodSaveText,
                         ::testing::Values(SaveText{"Capitals", "TRUE", true, false},
                                           SaveText{"Lowercase", "true", false, true},
                                           SaveText{"TitleCase", "True", false, true},
                                           SaveText{"Initial", "T", false, true},
                                           SaveText{"TrailingSpace", "TRUE ", false, true},
                                           SaveText{"GermanSpreadsheet", "WAHR", false, true},
                                           SaveText{"Yes", "yes", false, true},
                                           SaveText{"LowercaseFalse", "false", false, true},
                                           SaveText{"False", "FALSE", false, false},
                                           SaveText{"Empty", "", false, false}),
                         vostrel::testing::RowName{});

struct HitDie {
    const char* name;
    int die;
    bool listed;
};

class ListedHitDie : public ::testing::TestWithParam<HitDie> {};

TEST_P(ListedHitDie, OnlyTheUsualFiveDiceAreListed) {
    EXPECT_EQ(isListedHitDie(GetParam().die), GetParam().listed);
}

INSTANTIATE_TEST_SUITE_P(ClassTable, ListedHitDie,
                         ::testing::Values(HitDie{"D4", 4, true}, HitDie{"D12", 12, true},
                                           HitDie{"D10", 10, true}, HitDie{"D0", 0, false},
                                           HitDie{"D7", 7, false}, HitDie{"D20", 20, false},
                                           HitDie{"Negative", -4, false}, HitDie{"D2", 2, false}),
                         vostrel::testing::RowName{});

}  // namespace
}  // namespace vostrel
