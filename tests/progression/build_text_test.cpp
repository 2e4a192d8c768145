#include <gtest/gtest.h>

#include <cstddef>
#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "../cased_names.h"
#include "build_refusal.h"
#include "build_text.h"
#include "class_lookup.h"
#include "sample_classes.h"

namespace vostrel::testing {
namespace {

// Slots: 1 Warden, 2 Mystic, 3 Twin, 4 twin, 5 Twin, 6 "Twin (2)", 7 "A / B",
// 8 " Spaced ", 9 "Éclaireur", 10 a name holding a line end.
const ClassTable& namesTable() {
    static const ClassTable table = [] {
        std::vector<ClassRecord> records;
        for (const char* name :
             {"Warden", "Mystic", "Twin", "twin", "Twin", "Twin (2)", "A / B", " Spaced ",
              "\xC3\x89"
              "claireur",
              "Line\nend"}) {
            records.push_back(makeClass({name, 8, 2, 0.5, ""}));
        }
        return makeTable(std::move(records));
    }();
    return table;
}

// "levels first/second" for each row not left as at start, or the refusal.
std::string outcome(const PastedBuild& pasted) {
    if (pasted.refusal) {
        return describe(*pasted.refusal);
    }
    std::string rows;
    for (const Segment& row : pasted.sheet.segments) {
        if (row.levelText != "0" || row.firstClass != -1 || row.secondClass != -1) {
            rows += (rows.empty() ? "" : ", ") + row.levelText + " " +
                    std::to_string(row.firstClass) + "/" + std::to_string(row.secondClass);
        }
    }
    return rows;
}

struct PasteCase {
    const char* name;
    std::string text;
    std::string outcome;
};

// A pasted name of 62 bytes, a tab and thirty two-byte letters.
const std::string kLongName = "X\t" + [] {
    std::string letters;
    for (int i = 0; i < 30; ++i) {
        letters += "\xC3\xA9";
    }
    return letters;
}();

class PasteBuild : public ::testing::TestWithParam<PasteCase> {};

TEST_P(PasteBuild, TakesTheBuildOrSaysWhatIsWrong) {
    EXPECT_EQ(outcome(readBuildText(GetParam().text, namesTable())), GetParam().outcome);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, PasteBuild,
    ::testing::Values(
        PasteCase{"ReportAfterTheEmptyLineIgnored",
                  "\n \n4 Warden / Mystic\r\n2 Mystic / Warden\r\n\r\nHD=4d8\r\n9 Warden / Warden",
                  "4 1/2, 2 2/1"},
        PasteCase{"CrLineEndsAndBlanksAroundNames", "  3\tWarden  /  Mystic \r07 Mystic/Warden",
                  "3 1/2, 07 2/1"},
        PasteCase{"ExactCaseBeforeIgnoredCase", "1 twin / TWIN", "1 4/3"},
        PasteCase{"NumberedFormPicksALaterClass", "1 Twin (2) / twin (2)", "1 5/4"},
        PasteCase{"QuotedExactCaseBeforeIgnoredCase", "1 \"TWIN\" / \"twin\"", "1 3/4"},
        PasteCase{"QuotedNamesAreLiteral", "1 \"Twin (2)\" / \"A / B\"", "1 6/7"},
        PasteCase{"EscapesAndAccentsInAnyCase",
                  "1 \" Spaced \" / \"Line\\nend\"\n2 \xC3\xA9"
                  "CLAIREUR / A / B",
                  "1 8/10, 2 9/7"},
        PasteCase{"AboveTwentyLevelsPastes", "15 Warden / Mystic\n15 Mystic / Warden",
                  "15 1/2, 15 2/1"},
        PasteCase{"UnknownName", "3 Warden / Mystic\n2 Mystic / Tidecaler",
                  "line 2: the loaded file has no class named \"Tidecaler\""},
        PasteCase{"UnknownNameCloseToAClass", "1 Warden / \"mystc\"",
                  "line 1: the loaded file has no class named \"\"mystc\"\". Did you mean Mystic?"},
        // The spaced slash is the likeliest split, though the other one finds Warden.
        PasteCase{"FaultToldOfTheLikeliestSplit", "1 Warden/Mystic / Nobody",
                  "line 1: the loaded file has no class named \"Warden/Mystic\""},
        PasteCase{
            "LongUnknownNameQuotedAsTypedUpToItsSixtiethByte", "1 Warden / " + kLongName,
            "line 1: the loaded file has no class named \"" + kLongName.substr(0, 60) + "...\""},
        PasteCase{"NoSuchPlaceInTheName", "1 Warden (2) / Mystic",
                  "line 1: the loaded file has no class named \"Warden (2)\""},
        PasteCase{"OnlyBlankLines", " \n\t\r\n", "The clipboard holds no build."},
        PasteCase{"ThreeDigits", "100 Warden / Mystic",
                  "line 1: the level count must be one or two digits, not \"100\""},
        PasteCase{"SignedCount", "\n+3 Warden / Mystic",
                  "line 2: the level count must be one or two digits, not \"+3\""},
        PasteCase{"SixLines",
                  "1 Warden / Mystic\n1 Warden / Mystic\n1 Warden / Mystic\n"
                  "1 Warden / Mystic\n1 Warden / Mystic\n1 Warden / Mystic",
                  "line 6: a build has five lines at most"},
        PasteCase{"NoSecondName", "3 Warden Mystic",
                  "line 1: two class names parted by \" / \" must follow the level count"},
        PasteCase{"UnclosedQuote", "1 \"Warden / Mystic",
                  "line 1: the quoted name \"\"Warden / Mystic\" has no closing quote"}),
    CaseName{});

// Paste Build's lookup, which the class lists share.
class CasedNames : public ::testing::TestWithParam<CasedName> {};

TEST_P(CasedNames, FindTheirClassByUnicodeSimpleCaseFolding) {
    const std::vector<std::string> names(std::begin(kCasedClasses), std::end(kCasedClasses));
    const SoughtName sought{GetParam().typed};
    const auto found = findEntry(names, {&sought, 1});
    EXPECT_EQ(found ? static_cast<int>(*found) + 1 : 0, GetParam().slot);
}

INSTANTIATE_TEST_SUITE_P(Names, CasedNames, ::testing::ValuesIn(kCasedNames), CaseName{});

// Every kind of refusal of a pasted build or a chosen pair, in the order
// declared, with what its words must hold: the line and texts it carries and one
// phrase of its own.
TEST(RefusalWords, EveryPastedBuildAndPairRefusalHasItsOwnWords) {
    using K = BuildRefusalKind;
    const std::vector<std::pair<K, std::string>> kinds{
        {K::NoBuild, "The clipboard holds no build."},
        {K::TooManyBuildLines, "line 4: a build has five lines at most"},
        {K::BadLevelCount, "line 4: the level count must be one or two digits, not \"found\""},
        {K::NoClassNames, "line 4: two class names parted by \" / \" must follow"},
        {K::NoClassNamed, "line 4: the loaded file has no class named \"found\""},
        {K::BadEscape, "line 4: the quoted name \"found\" holds a backslash that is not"},
        {K::UnclosedName, "line 4: the quoted name \"found\" has no closing quote"},
        {K::TextAfterQuotedName, "line 4: \"found\" follows the quoted name \"also\" where"},
    };
    ASSERT_EQ(kinds.size(), static_cast<std::size_t>(K::TextAfterQuotedName) + 1);
    std::set<std::string> told;
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        ASSERT_EQ(kinds[i].first, static_cast<K>(i));
        const std::string message = describe(BuildRefusal{kinds[i].first, 4, "found", "also"});
        EXPECT_TRUE(told.insert(message).second) << "told twice: " << message;
        EXPECT_EQ(message.rfind(kinds[i].second, 0), 0) << message;
    }
    EXPECT_EQ(describe(PairPlace{PairFit::Fits, 3, 2}), "");
    for (const auto& [fit, words] :
         {std::pair{PairFit::NoFreeRow, "Every row of the build already"},
          {PairFit::RowIncomplete, "Row 3 has a class but"},
          {PairFit::NoLevelLeft, "The other rows of the build"}}) {
        EXPECT_TRUE(told.insert(describe(PairPlace{fit, 3, 2})).second);
        EXPECT_EQ(describe(PairPlace{fit, 3, 2}).rfind(words, 0), 0);
    }
    EXPECT_NE(describe(PairPlace{PairFit::RowIncomplete, 3, 2}).find("Complete row 3,"),
              std::string::npos);
}

// The class offered for a name that finds none: the closest within one edit per
// three characters and two at most (0: none offered).
class ClosestNames : public ::testing::TestWithParam<CasedName> {};

TEST_P(ClosestNames, OfferOnlyAClassCloseToTheName) {
    const std::vector<std::string> names{"Bellwright", "Vowbound", "Scout", "Orc", "Άρης"};
    const auto found = closestEntry(names, GetParam().typed);
    EXPECT_EQ(found ? static_cast<int>(*found) + 1 : 0, GetParam().slot);
}

INSTANTIATE_TEST_SUITE_P(Names, ClosestNames,
                         ::testing::Values(CasedName{"LetterDropped", "Belwright", 1},
                                           CasedName{"TwoEditsInSixLetters", "vowbnd", 2},
                                           CasedName{"NeighboursSwapped", "Scuot", 3},
                                           CasedName{"TwoEditsInFiveLettersTooMany", "Sxuot", 0},
                                           CasedName{"OneInThree", "ORK", 4},
                                           CasedName{"UnderThreeLettersNone", "Or", 0},
                                           CasedName{"CaseFoldedAsTheLookup", "ΆΡΕΣ", 5},
                                           CasedName{"FarFromAll", "Wizard", 0}),
                         CaseName{});

}  // namespace
}  // namespace vostrel::testing
