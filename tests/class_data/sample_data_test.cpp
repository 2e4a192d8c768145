#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "class_file_reader.h"

namespace vostrel {
namespace {

// The sample file is what a new user loads first, so it must load cleanly and
// show off what a class file can hold.
class SampleClasses : public ::testing::Test {
protected:
    void SetUp() override {
        const auto error = loadClassData(VOSTREL_SAMPLE_CLASS_FILE, table_);
        ASSERT_FALSE(error) << describe(*error);
    }
    ClassTable table_;
};

TEST_F(SampleClasses, LoadsEveryClassWithAName) {
    EXPECT_EQ(table_.classCount(), 14);
    const auto names = table_.classNames();
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size());
    for (const std::string& name : names) {
        EXPECT_FALSE(name.empty());
    }
}

TEST_F(SampleClasses, CoverEveryRateDieAndSaveCombination) {
    std::set<double> rates;
    std::set<int> dice;
    std::set<int> saveCombinations;
    for (int slot = 1; slot <= table_.classCount(); ++slot) {
        const ClassRecord& record = table_.recordAt(slot);
        rates.insert(record.babRate);
        dice.insert(record.hitDie);
        saveCombinations.insert(record.fortGood * 4 + record.refGood * 2 + record.willGood);
    }
    EXPECT_EQ(rates, (std::set<double>{0.25, 0.5, 0.75, 1.0}));
    EXPECT_EQ(dice, (std::set<int>{4, 6, 8, 10, 12}));
    EXPECT_EQ(saveCombinations.size(), 8u);
}

TEST_F(SampleClasses, EachClassHasACapstoneAndSomeQuietLevels) {
    bool someFeatureHasAComma = false;
    for (int slot = 1; slot <= table_.classCount(); ++slot) {
        const ClassRecord& record = table_.recordAt(slot);
        EXPECT_FALSE(record.features[kMaxLevel].empty()) << record.name;
        int emptyLevels = 0;
        for (int level = 1; level <= kMaxLevel; ++level) {
            const std::string& feature = record.features[static_cast<std::size_t>(level)];
            emptyLevels += feature.empty() ? 1 : 0;
            someFeatureHasAComma |= feature.find(',') != std::string::npos;
        }
        EXPECT_GT(emptyLevels, 0) << record.name;
        EXPECT_LT(emptyLevels, 10) << record.name;
    }
    EXPECT_TRUE(someFeatureHasAComma);
}

}  // namespace
}  // namespace vostrel
