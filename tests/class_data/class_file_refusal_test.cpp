#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "reader_test_support.h"

namespace vostrel {
namespace {

using testing::manyRecords;
using testing::readText;
using testing::recordLine;
using K = RefusalKind;

// Each row is a file the reader must refuse: the kind of fault and where it is
// (line, class, field), and the parts its message must hold (a part that begins
// with the file's name is the whole message).
struct Refused {
    struct {
        const char* name;
        RefusalKind kind;
        std::int64_t line;
        int classNumber;
        int field;
    } fault;
    std::string data;
    std::vector<std::string> mentions;
};

class RefusedFile : public ::testing::TestWithParam<Refused> {};

TEST_P(RefusedFile, SaysWhereAndWhyAndLeavesTheTableEmpty) {
    ClassTable table;
    const auto error = readText(GetParam().data, table);
    ASSERT_TRUE(error);
    EXPECT_EQ(table.classCount(), 0);
    EXPECT_TRUE(table.recordAt(1).name.empty());
    const auto& fault = GetParam().fault;
    EXPECT_EQ(error->kind, fault.kind);
    EXPECT_EQ(error->place.line, fault.line);
    EXPECT_EQ(error->place.classNumber, fault.classNumber);
    EXPECT_EQ(error->place.field, fault.field);
    const std::string message = describe(*error);
    EXPECT_EQ(message.rfind("\"test.csv\", line ", 0), 0) << message;
    for (const std::string& part : GetParam().mentions) {
        if (part.rfind("\"test.csv\"", 0) == 0) {  // the whole message
            EXPECT_EQ(message, part);
            continue;
        }
        EXPECT_NE(message.find(part), std::string::npos)
            << "missing \"" << part << "\" in: " << message;
    }
}

const std::string kSeer = recordLine("Seer,6,4,0.5,FALSE,FALSE,TRUE") + "\n";

std::string withHitDie(const std::string& hitDie) {
    return kSeer + recordLine("Brute," + hitDie + ",2,1,,,");
}
std::string withSkillPoints(const std::string& points) {
    return recordLine("Brute,8," + points + ",1,,,");
}
std::string withRate(const std::string& rate) {
    return recordLine("Brute,8,2," + rate + ",,,");
}

// The same text as UTF-16 or UTF-32, little-endian unless `bigEndian`.
std::string wide(const std::string& text, std::size_t width = 2, bool bigEndian = false) {
    std::string out;
    for (const char c : text) {
        std::string unit(width, '\0');
        unit[bigEndian ? width - 1 : 0] = c;
        out += unit;
    }
    return out;
}

// One line short of its last field.
std::string shortOfAField(const std::string& firstSeven) {
    std::string line = recordLine(firstSeven);
    line.pop_back();
    return line + "\n";
}

const std::string kCafe = recordLine("Caf\xC3\xA9 Knight,8,2,1,,,") + "\n";

const std::string kWholeHitDie = "should hold a whole number from 0 to 20";
const std::string kWholeSkill = "should hold a whole number from -32768 to 32767";
const std::string kRate = "should hold a number from -1000 to 1000";

INSTANTIATE_TEST_SUITE_P(
    ClassFile, RefusedFile,
    ::testing::Values(
        Refused{{"HitDieNotANumber", K::BadNumber, 2, 2, 2},
                withHitDie("d8"),
                {"line 2, class 2 (\"Brute\")", "hit die field holds \"d8\"", kWholeHitDie}},
        Refused{{"HitDieEmpty", K::BadNumber, 2, 2, 2},
                withHitDie(""),
                {"hit die field is empty", kWholeHitDie}},
        Refused{{"HitDieAbove20", K::BadNumber, 2, 2, 2},
                withHitDie("21"),
                {"hit die field holds \"21\"", kWholeHitDie}},
        Refused{{"HitDieNegative", K::BadNumber, 2, 2, 2},
                withHitDie("-4"),
                {"hit die field holds \"-4\"", kWholeHitDie}},
        Refused{{"HitDieFraction", K::BadNumber, 2, 2, 2},
                withHitDie("8.5"),
                {"hit die field holds \"8.5\"", kWholeHitDie}},
        Refused{{"HitDieQuotedWord", K::BadNumber, 2, 2, 2},
                withHitDie("\"ten\""),
                {"hit die field holds \"ten\""}},
        Refused{{"SkillPointsAboveRange", K::BadNumber, 1, 1, 3},
                withSkillPoints("32768"),
                {"line 1, class 1 (\"Brute\")", "skill points field holds \"32768\"", kWholeSkill}},
        Refused{{"SkillPointsBelowRange", K::BadNumber, 1, 1, 3},
                withSkillPoints("-32769"),
                {"skill points field holds \"-32769\"", kWholeSkill}},
        Refused{{"SkillPointsExponent", K::BadNumber, 1, 1, 3},
                withSkillPoints("1e2"),
                {"skill points field holds \"1e2\"", kWholeSkill}},
        Refused{{"SkillPointsEmpty", K::BadNumber, 1, 1, 3},
                withSkillPoints(" "),
                {"skill points field is empty"}},
        Refused{{"AttackRateWord", K::BadNumber, 1, 1, 4},
                withRate("full"),
                {"attack rate field holds \"full\"", kRate}},
        Refused{{"AttackRateAboveRange", K::BadNumber, 1, 1, 4},
                withRate("1000.5"),
                {"attack rate field holds \"1000.5\"", kRate}},
        Refused{{"AttackRateOverflows", K::BadNumber, 1, 1, 4},
                withRate("1e400"),
                {"attack rate field holds \"1e400\""}},
        Refused{{"AttackRateNotANumber", K::BadNumber, 1, 1, 4},
                withRate("nan"),
                {"attack rate field holds \"nan\""}},
        Refused{{"AttackRateInfinite", K::BadNumber, 1, 1, 4},
                withRate("-inf"),
                {"attack rate field holds \"-inf\""}},
        Refused{{"AttackRateEmpty", K::BadNumber, 1, 1, 4},
                withRate(""),
                {"attack rate field is empty"}},
        Refused{{"DecimalCommaShiftsTheFields", K::LongRow, 1, 1, 0},
                recordLine("Brute,8,2,0,75,,,", "", "Capstone"),
                {"line 1, class 1 (\"Brute\"): line 1 holds 28 fields where a class has 27",
                 "written with a point"}},
        Refused{{"UnclosedQuote", K::UnclosedQuote, 2, 2, 8},
                kSeer + "Brute,8,2,1,,,,\"Never closed\n,,,,\n",
                {"line 2, class 2 (\"Brute\")",
                 "level 1 feature field opens a double quote that never closes"}},
        Refused{{"TextAfterClosingQuote", K::TextAfterQuote, 1, 1, 8},
                recordLine("Brute,8,2,1,,,", "\"Second Sight\" Omens"),
                {"found \"Omens\" after the closing quote of the level 1 feature field"}},
        Refused{{"TextAfterQuoteOverLines", K::TextAfterQuote, 2, 1, 7},
                "Brute,8,2,1,,,\"Will\nsave\"x",
                {"\"x\" after the closing quote of the Will save field"}},
        Refused{{"FieldTooLong", K::FieldTooLong, 4, 2, 1},
                kSeer + "\n\n" + std::string(65537, 'x'),
                {"\"test.csv\", line 4, class 2: the name field is longer than 65,536 bytes, the "
                 "most a field may hold."}},
        Refused{{"NulBytes", K::FieldTooLong, 1, 1, 1},
                std::string(200000, '\0'),
                {"name field is longer than 65,536 bytes", "NUL bytes"}},
        Refused{{"DataEndsAfterSevenFields", K::DataEndsEarly, 2, 2, 8},
                kSeer + "Brute,8,2,1,TRUE,,\n",
                {"line 2, class 2 (\"Brute\")", "after 7 of the 27 fields",
                 "the level 1 feature and every field after it are missing"}},
        Refused{{"DataEndsAfterComma", K::DataEndsEarly, 2, 2, 7},
                kSeer + "Brute,8,2,1,TRUE,",
                {"after 6 of the 27 fields", "Will save"}},
        Refused{{"FortyOneClasses", K::FortyFirstClass, 42, 41, 0},
                manyRecords(40) + "\n" + recordLine("Extra,8,2,1,,,"),
                {"\"test.csv\", line 42, class 41: a 41st class begins here, but a class data "
                 "file may hold at most 40 classes."}},
        Refused{{"Semicolons", K::BadNumber, 2, 1, 2},
                "Brute;8;2;1;TRUE;FALSE;FALSE;Cleave;;;\nSeer;6;4;0.5;FALSE;FALSE;TRUE;;;\n",
                {"line 2, class 1 (", "): this file seems to separate its fields with semicolons",
                 "Reading stopped where the hit die"}},
        Refused{{"ThreeSemicolonsHint", K::BadNumber, 2, 1, 2},
                "Brute;8;2;1\nSeer,6,4,0.5\n",
                {"(\"Brute;8;2;1\"): this file seems to separate its fields with semicolons"}},
        Refused{{"TwoSemicolonsDoNot", K::BadNumber, 2, 1, 2},
                "Brute;8;2\nSeer,6,4,0.5\n",
                {"\"test.csv\", line 2, class 1 (\"Brute;8;2\"): the hit die field holds \"Seer\", "
                 "but it should hold a whole number from 0 to 20: the faces of the die, such as 8 "
                 "for a d8."}},
        Refused{{"Tabs", K::DataEndsEarly, 1, 1, 2},
                "Brute\t8\t2\t1\tTRUE\tFALSE\n",
                {"after 1 of the 27 fields", "separate its fields with tabs"}},
        Refused{{"HeaderRow", K::HeaderRow, 1, 0, 0},
                recordLine("Name,Hit Die,Skill Points,BAB,Fort,Ref,Will") + "\n" + kSeer,
                {"line 1: the file seems to begin with a header row",
                 "read \"Hit Die\" and \"Skill Points\""}},
        Refused{{"NotesColumnOnEveryLine", K::ColumnAfterLevel20, 1, 1, 0},
                kSeer.substr(0, kSeer.size() - 1) + ",\"a note\"\n" +
                    kSeer.substr(0, kSeer.size() - 1) + ",\n",
                {"line 1, class 1 (\"Seer\"): every class line holds a column after the level 20",
                 "ends with \"a note\""}},
        Refused{{"DecimalCommaWithGermanSaves", K::BadNumber, 1, 1, 4},
                recordLine("Brute,8,2,\"0,75\",WAHR,FALSCH,FALSCH"),
                {"attack rate field holds \"0,75\"", "hold \"WAHR\" as well",
                 "must read TRUE exactly"}},
        Refused{
            {"ByteOfAnotherCharacterSet", K::ControlCharacter, 1, 1, 8},
            recordLine("Brute,8,2,1,,,", "\xC2\x93Sly"),
            {"level 1 feature field holds \"<U+0093>Sly\"", "saved in the wrong character set"}},
        Refused{{"DosEndOfFileInsideTheData", K::ControlCharacter, 1, 1, 27},
                recordLine("Brute,8,2,1,,,", "", "\x1A") + "\n",
                {"level 20 feature field", "control character U+001A"}},
        Refused{{"InvisibleCharactersShown", K::BadNumber, 2, 2, 2},
                withHitDie("\xC2\xA0"
                           "8\xE2\x80\x8B\xF3\xA0\x80\x81"),
                {"hit die field holds \"<NBSP>8<U+200B><U+E0001>\""}},
        Refused{{"TwentyEightFieldsOnALine", K::LongRow, 1, 1, 0},
                recordLine("Brute,8,2,1,,,") + ",Extra\n" + kSeer,
                {"line 1, class 1 (\"Brute\"): line 1 holds 28 fields where a class has 27, "
                 "with \"Extra\""}},
        Refused{{"UnpaddedAmongPaddedClasses", K::MissingEmptyField, 1, 1, 0},
                kSeer + recordLine("Brute,8,2,1,,,") + ",\n" + recordLine("Rogue,6,8,1,,,") +
                    ",\n" + recordLine("Monk,8,4,0.75,,,") + ",\n",
                {"line 1, class 1 (\"Seer\"): line 1 holds 27 fields",
                 "3 other classes, class 2 (\"Brute\") the first of them"}},
        Refused{{"DecimalCommaAmongUnpaddedClasses", K::ExtraEmptyField, 2, 2, 0},
                kSeer + recordLine("Brute,8,2,0,75,,,") + "\n" + kSeer,
                {"line 2, class 2 (\"Brute\")", "line 2 holds 28 fields where a class has 27",
                 "while class 1 (\"Seer\") ends", "decimal comma"}},
        Refused{{"UnquotedCommaInTheFirstClass", K::ExtraEmptyField, 1, 1, 0},
                recordLine("Brute,8,2,1,,,", "Bonus Feat, Evasion") + "\n" + kSeer,
                {"line 1, class 1 (\"Brute\")", "line 1 holds 28 fields where a class has 27",
                 "while class 2 (\"Seer\") ends", "not in double quotes"}},
        Refused{{"LineShortOfAField", K::ShortLine, 2, 2, 0},
                kSeer + shortOfAField("Brute,8,2,1,,,") + kSeer + kSeer,
                {"\"test.csv\", line 2, class 2 (\"Brute\"): line 2 holds 26 fields; a class "
                 "needs 27. Class 2 therefore takes its missing fields from the next line, and "
                 "every class after it is shifted: check line 2 for a missing comma."}},
        Refused{{"LineShortOfAFieldBeforeABlankLine", K::ShortLineBeforeBlankLine, 2, 2, 0},
                kSeer + shortOfAField("Brute,8,2,1,,,") + "\n",
                {"line 2, class 2 (\"Brute\"): line 2 holds 26 fields; a class needs 27: check"}},
        Refused{{"FirstLineShortOfAFieldBeforeABlankLine", K::ShortLineBeforeBlankLine, 1, 1, 0},
                shortOfAField("Brute,8,2,1,,,") + "\n",
                {"line 1 holds 26 fields; a class needs 27: check line 1 for a missing comma."}},
        Refused{{"BlankLineInsideAClassOverLines", K::BlankLineInClass, 2, 1, 8},
                "Brute,8,2,1,,,\n \t\n" + recordLine("x").substr(2),
                {"line 2, class 1 (\"Brute\"): line 2 is blank where the level 1 feature",
                 "holds only 7 of its 27 fields"}},
        Refused{{"FirstLineShortOfManyFields", K::ShortLine, 1, 1, 0},
                "Brute,8,2,1,,,\n" + kSeer + kSeer,
                {"line 1, class 1 (\"Brute\"): line 1 holds 7 fields",
                 "check line 1 for its missing fields"}},
        Refused{{"SpreadsheetRowWithABadNumber", K::BadNumber, 2, 2, 2},
                shortOfAField("Seer,6,4,0.5,,,") + shortOfAField("Brute,x,2,1,,,"),
                {"line 2, class 2 (\"Brute\"): the hit die field holds \"x\""}},
        Refused{{"FirstLineShortOfAField", K::ShortLine, 1, 1, 0},
                shortOfAField("Brute,8,2,1,,,") + kSeer + kSeer,
                {"line 1, class 1 (\"Brute\")", "line 1 holds 26 fields; a class needs 27"}},
        Refused{{"LineShortBeforeTheNumbers", K::ShortLine, 2, 2, 0},
                kSeer + "Brute,8\n" + kSeer,
                {"line 2, class 2 (\"Brute\")", "line 2 holds 2 fields; a class needs 27"}},
        Refused{{"ClosingQuoteMissing", K::ClosingQuoteMissing, 2, 2, 8},
                kSeer + recordLine("Brute,8,2,1,,,", "\"Never closed") + "\n" +
                    recordLine("Rogue,6,8,0.75,,,", "\"Sneak, Attack\""),
                {"line 2, class 2 (\"Brute\")", "level 1 feature field opens a double quote",
                 "closing quote may be missing", "the next double quote comes only on line 3"}},
        Refused{{"ClosingQuoteMissingBeforeAQuotedName", K::ClosingQuoteMissing, 2, 2, 8},
                kSeer + recordLine("Brute,8,2,1,,,", "\"Never closed") + "\n\"Rogue\",6,8,1,,,",
                {"closing quote may be missing", "comes only on line 3"}},
        Refused{{"MixedEncodings", K::MixedEncoding, 3, 2, 8},
                kCafe + recordLine("Brute,8,2,1,,,", "\"Two\r\nLines \xE9\""),
                {"line 3, class 2 (\"Brute\")", "level 1 feature field holds the byte 0xE9",
                 "mixes two encodings", "Save it again as UTF-8"}},
        Refused{{"MixedEncodingsByteBeforeALineBreak", K::MixedEncoding, 2, 2, 8},
                kCafe + recordLine("Brute,8,2,1,,,", "\"\xE9 Two\r\nLines\""),
                {"line 2, class 2 (\"Brute\")", "the byte 0xE9"}},
        Refused{{"MixedEncodingsInOneField", K::MixedEncoding, 1, 1, 1},
                recordLine("\xE9 Caf\xC3\xA9,8,2,1,,,"),
                {"line 1, class 1: the name field holds the byte 0xE9", "mixes two encodings"}},
        Refused{{"OverlongAmongUtf8", K::MixedEncoding, 1, 1, 8},
                recordLine("Brute,8,2,1,,,", "\xC0\xAF") + "\n" + kCafe,
                {"line 1, class 1 (\"Brute\")", "the byte 0xC0", "mixes two encodings"}},
        Refused{{"Utf16LittleEndianMark", K::WideText, 1, 0, 0},
                "\xFF\xFE" + wide(kSeer),
                {"line 1: this file is UTF-16 text", "Save it again as \"CSV (UTF-8)\""}},
        Refused{{"Utf16BigEndianMark", K::WideText, 1, 0, 0},
                "\xFE\xFF" + wide(kSeer, 2, true),
                {"line 1: this file is UTF-16 text"}},
        Refused{{"Utf32Mark", K::WideText, 1, 0, 0},
                std::string("\xFF\xFE\0\0", 4) + wide(kSeer, 4),
                {"line 1: this file is UTF-32 text", "\"CSV (UTF-8)\""}},
        Refused{{"Utf32WithoutMark", K::WideText, 1, 0, 0},
                wide(kSeer, 4, true),
                {"line 1: this file is UTF-32 text"}},
        Refused{{"Utf16WithoutMark", K::WideText, 1, 0, 0},
                wide(kSeer),
                {"line 1: this file is UTF-16 text"}},
        Refused{{"ControlBytes", K::ControlCharacter, 2, 2, 2},
                withHitDie("8\x1B"),
                {"hit die field holds \"8<U+001B>\" with the control character",
                 "saved in the wrong character set"}},
        Refused{{"ClassesAfterARowOfCommasKeepTheirNumbers", K::BadNumber, 3, 2, 2},
                kSeer + ",,,,\n" + recordLine("Brute,x,2,1,,,"),
                {"line 3, class 2 (\"Brute\")"}},
        Refused{{"C1ControlInALongField", K::ControlCharacter, 1, 1, 8},
                recordLine("Brute,8,2,1,,,", "\xC2\x9FSneak Attack"),
                {"holds \"<U+009F>Sneak Attack\" with the control character U+009F"}},
        Refused{{"DecimalCommaWithFrenchWill", K::BadNumber, 1, 1, 4},
                recordLine("Brute,8,2,\"0,75\",FAUX,FAUX,VRAI"),
                {"hold \"VRAI\" as well"}},
        Refused{{"DosEndOfFileEndingAChunk", K::ControlCharacter, 1, 1, 1},
                recordLine(std::string(65535, 'n') + "\x1A,8,2,1,,,"),
                {"\"" + std::string(40, 'n') + "...\" with the control character U+001A"}},
        Refused{{"ClassBeginningMidLine", K::BadNumber, 1, 2, 2},
                recordLine("Brute,8,2,1,,,") + ",Seer,x\nrest\n",
                {"\"x\", but it should hold",
                 " Class 2 begins in the middle of a line, right after "
                 "the last field of class 1: check that every class before it has exactly 27 "
                 "fields."}},
        Refused{{"LinesCountedAcrossBlankLines", K::BadNumber, 6, 1, 3},
                "\r\n\r\n \t\n\r\r\n" + withSkillPoints("x"),
                {"skill points field holds \"x\""}}),
    [](const auto& row) { return std::string(row.param.fault.name); });

TEST(RefusedFileMessage, ShowsAWindowsTextReadablyAndCutsLongTextShort) {
    ClassTable table;
    auto error = readText(withHitDie("Caf\xE9"), table);
    ASSERT_TRUE(error);
    EXPECT_NE(describe(*error).find("hit die field holds \"Caf\xC3\xA9\""), std::string::npos)
        << describe(*error);

    error = readText(withHitDie(std::string(50, '9')), table);
    ASSERT_TRUE(error);
    EXPECT_NE(describe(*error).find("\"" + std::string(40, '9') + "...\""), std::string::npos)
        << describe(*error);
}

// Every kind, in the order declared, with what its words must hold: the texts
// and numbers it carries, one phrase of its own and, once placed, the place.
TEST(RefusalWords, EveryKindHasItsOwnWordsHoldingWhatItCarries) {
    const std::vector<std::pair<K, std::vector<std::string>>> kinds{
        {K::CannotOpen, {"cannot be opened: Device or resource busy."}},
        {K::CannotRead, {"cannot be read: Device or resource busy."}},
        {K::NamedPipe, {" is a named pipe (FIFO), not a file of data"}},
        {K::Socket, {" is a socket, not"}},
        {K::Device, {" is a device, not"}},
        {K::NotRegularFile, {" is no regular file, not"}},
        {K::TooLargeFile, {" is 0.0 MiB (16 bytes); a class data file is far smaller"}},
        {K::TooLargeStream, {" holds more than 16 MiB; a class"}},
        {K::Unreadable, {": the file could not be read to its end."}},
        {K::OutOfMemory, {": there is not enough memory"}},
        {K::BadNumber, {"the hit die field holds \"found\", but it should hold"}},
        {K::DataEndsEarly, {"the file ends after 1 of the 27 fields", "the hit die and every"}},
        {K::UnclosedQuote, {"the hit die field opens a double quote that never closes"}},
        {K::ClosingQuoteMissing, {"the hit die field", "only on line 16, followed by \"found\""}},
        {K::TextAfterQuote, {"found \"found\" after the closing quote of the hit die field"}},
        {K::FieldTooLong, {"the hit die field is longer than 65,536 bytes"}},
        {K::FortyFirstClass, {"a 41st class begins here"}},
        {K::BlankLineInClass, {"line 7 is blank where the hit die should follow"}},
        {K::ControlCharacter,
         {"the hit die field holds \"found\" with the control character U+0010"}},
        {K::ShortLine, {"line 7 holds 16 fields; a class needs 27. Class 3 therefore"}},
        {K::ShortLineBeforeBlankLine, {"line 7 holds 16 fields; a class needs 27: check line 7"}},
        {K::ExtraEmptyField, {"while class 1 (\"Other\") ends with its level 20 feature"}},
        {K::MissingEmptyField, {"while 16 other classes, class 1 (\"Other\") the first"}},
        {K::MixedEncoding, {"the hit die field holds the byte 0x10, which is no part"}},
        {K::HeaderRow, {"fields read \"found\" and \"also\")"}},
        {K::LongRow, {"line 7 holds 16 fields where a class has 27, with \"found\" after"}},
        {K::ColumnAfterLevel20, {"(line 7 ends with \"found\")"}},
        {K::WideText, {"this file is UTF-16 text"}},
    };
    ASSERT_EQ(kinds.size(), static_cast<std::size_t>(K::WideText) + 1);
    Refusal refusal;
    refusal.source = "name.csv";
    refusal.place = {.line = 7, .classNumber = 3, .className = "Seer", .field = 2};
    refusal.found = "found";
    refusal.alsoFound = "also";
    refusal.number = 16;
    refusal.other = Place{.line = 2, .classNumber = 1, .className = "Other"};
    std::set<std::string> told;
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        ASSERT_EQ(kinds[i].first, static_cast<K>(i));
        refusal.kind = kinds[i].first;
        const std::string message = describe(refusal);
        EXPECT_TRUE(told.insert(message).second) << "told twice: " << message;
        EXPECT_TRUE(message.ends_with('.') && message.find("..") == std::string::npos) << message;
        const bool placed = groupOf(refusal.kind) != RefusalGroup::WholeFile;
        EXPECT_EQ(message.rfind(
                      placed ? "\"name.csv\", line 7, class 3 (\"Seer\"): " : "\"name.csv\"", 0),
                  0)
            << message;
        for (const std::string& part : kinds[i].second) {
            EXPECT_NE(message.find(part), std::string::npos)
                << "missing \"" << part << "\" in: " << message;
        }
    }
}

}  // namespace
}  // namespace vostrel
