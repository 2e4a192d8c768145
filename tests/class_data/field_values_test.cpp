#include <gtest/gtest.h>

#include "reader_test_support.h"

#include <iconv.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "field_values.h"
#include "number_text.h"
#include "text_encoding.h"

namespace vostrel::detail {
namespace {

struct WholeNumber {
    const char* name;
    const char* text;
    std::optional<std::int16_t> value;
};

class WholeNumberField : public ::testing::TestWithParam<WholeNumber> {};

TEST_P(WholeNumberField, ReadsOnlyWholeNumbersIn16Bits) {
    EXPECT_EQ(parseWholeNumber(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    FieldValues, WholeNumberField,
    ::testing::Values(
        WholeNumber{"Plain", "10", 10}, WholeNumber{"Signed", "+4", 4},
        WholeNumber{"Negative", "-2", -2}, WholeNumber{"Blanks", " \t8 ", 8},
        WholeNumber{"ZeroFraction", "10.0", 10}, WholeNumber{"BarePoint", "10.", 10},
        WholeNumber{"LeadingZeros", "0000012", 12}, WholeNumber{"Highest", "32767", 32767},
        WholeNumber{"Lowest", "-32768", -32768}, WholeNumber{"AboveRange", "32768", std::nullopt},
        WholeNumber{"BelowRange", "-32769", std::nullopt},
        WholeNumber{"ManyDigits", "99999999999999999999", std::nullopt},
        WholeNumber{"Fraction", "2.5", std::nullopt},
        WholeNumber{"FractionAfterZeros", "2.001", std::nullopt},
        WholeNumber{"NoDigits", "-", std::nullopt}, WholeNumber{"PointFirst", ".0", std::nullopt},
        WholeNumber{"Exponent", "1e2", std::nullopt},
        WholeNumber{"InnerBlank", "1 0", std::nullopt}, WholeNumber{"Empty", "", std::nullopt}),
    vostrel::testing::RowName{});

struct Rate {
    const char* name;
    const char* text;
    std::optional<double> value;
};

class AttackRateField : public ::testing::TestWithParam<Rate> {};

TEST_P(AttackRateField, ReadsFiniteDecimalsWithinRange) {
    EXPECT_EQ(parseAttackRate(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    FieldValues, AttackRateField,
    ::testing::Values(Rate{"Whole", "1", 1.0}, Rate{"Fraction", "0.75", 0.75},
                      Rate{"NoLeadingDigit", ".5", 0.5}, Rate{"NoTrailingDigit", "2.", 2.0},
                      Rate{"Plus", "+0.25", 0.25}, Rate{"Minus", "-0.5", -0.5},
                      Rate{"Exponent", "2.5E-1", 0.25}, Rate{"Blanks", " 0.5\t", 0.5},
                      Rate{"Highest", "1000", 1000.0}, Rate{"Lowest", "-1e3", -1000.0},
                      Rate{"AboveRange", "1000.001", std::nullopt},
                      Rate{"Overflow", "1e309", std::nullopt},
                      Rate{"DecimalComma", "0,75", std::nullopt},
                      Rate{"Infinity", "inf", std::nullopt}, Rate{"NaN", "NaN", std::nullopt},
                      Rate{"Hex", "0x1p0", std::nullopt}, Rate{"PointAlone", ".", std::nullopt},
                      Rate{"ExponentAlone", "1e", std::nullopt},
                      Rate{"DoubleSign", "--1", std::nullopt}, Rate{"Empty", "", std::nullopt}),
    vostrel::testing::RowName{});

struct Utf8Case {
    const char* name;
    std::string bytes;
    bool valid;
};

class Utf8Check : public ::testing::TestWithParam<Utf8Case> {};

TEST_P(Utf8Check, AcceptsOnlyWellFormedUtf8) {
    EXPECT_EQ(isValidUtf8(GetParam().bytes), GetParam().valid);
}

INSTANTIATE_TEST_SUITE_P(TextEncoding, Utf8Check,
                         ::testing::Values(Utf8Case{"Ascii", "Shield Bash", true},
                                           Utf8Case{"TwoBytes", "Caf\xC3\xA9", true},
                                           Utf8Case{"ThreeBytes", "\xE2\x82\xAC", true},
                                           Utf8Case{"FourBytes", "\xF0\x9F\x90\x89", true},
                                           Utf8Case{"Latin1Byte", "Caf\xE9", false},
                                           Utf8Case{"Overlong", "\xC0\xAF", false},
                                           Utf8Case{"OverlongThree", "\xE0\x80\xAF", false},
                                           Utf8Case{"Surrogate", "\xED\xA0\x80", false},
                                           Utf8Case{"AboveUnicode", "\xF4\x90\x80\x80", false},
                                           Utf8Case{"CutShort", "\xE2\x82", false},
                                           Utf8Case{"LoneContinuation", "\x80", false}),
                         vostrel::testing::RowName{});

// Every byte of 0x80..0x9F against the system's own table; the five bytes it
// leaves undefined become the C1 controls of the same number.
TEST(TextEncoding, Windows1252HighBytesMatchTheSystemsTable) {
    const iconv_t toUtf8 = iconv_open("UTF-8", "WINDOWS-1252");
    ASSERT_NE(toUtf8, reinterpret_cast<iconv_t>(-1));
    for (int value = 0x80; value <= 0x9F; ++value) {
        char in = static_cast<char>(value);
        std::array<char, 8> out{};
        char* from = &in;
        char* to = out.data();
        std::size_t inLeft = 1;
        std::size_t outLeft = out.size();
        const bool defined = iconv(toUtf8, &from, &inLeft, &to, &outLeft) != std::size_t(-1);
        const std::string expected = defined ? std::string(out.data(), out.size() - outLeft)
                                             : std::string{'\xC2', static_cast<char>(value)};
        EXPECT_EQ(windows1252ToUtf8(std::string(1, in)), expected) << "byte " << value;
    }
    iconv_close(toUtf8);
    EXPECT_EQ(windows1252ToUtf8("\xE9\xFF"), "\xC3\xA9\xC3\xBF");
}

// Marks, and text without one: three pairs in four holding one NUL are UTF-16,
// three groups in four holding three NULs UTF-32; NUL bytes alone are neither.
TEST(TextEncoding, TellsWideTextByItsMarkOrItsNulBytes) {
    using namespace std::string_view_literals;
    EXPECT_EQ(wideTextBits("\xFF\xFE\0\0A\0\0\0"sv), 32);
    EXPECT_EQ(wideTextBits("\xFE\xFF\0A"sv), 16);
    EXPECT_EQ(wideTextBits("A\0B\0C\0DE"sv), 16);
    EXPECT_EQ(wideTextBits("A\0B\0CDEF"sv), 0);
    EXPECT_EQ(wideTextBits("A\0\0\0B\0\0\0C\0\0\0DEFG"sv), 32);
    EXPECT_EQ(wideTextBits(std::string(16, '\0')), 0);
}

// Around the shortcut for numbers under 100, and at the ends of the widest types.
TEST(NumberText, WritesWholeNumbersPlainly) {
    EXPECT_EQ(integerText(0) + integerText(9) + integerText(10) + integerText(99), "091099");
    EXPECT_EQ(integerText(100) + "," + integerText(-1) + "," + integerText(std::int16_t{-32768}),
              "100,-1,-32768");
    EXPECT_EQ(integerText(INT64_MIN), "-9223372036854775808");
    EXPECT_EQ(integerText(UINT64_MAX), "18446744073709551615");
}

}  // namespace
}  // namespace vostrel::detail
