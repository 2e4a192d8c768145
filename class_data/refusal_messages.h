#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The texts of the reader's refusals, kept apart from the reading itself. Each
// names the file, the line, the class and the field, what was found and what
// was expected.
namespace vostrel::detail {

inline constexpr int kFieldCount = 27;
inline constexpr int kFirstFeatureField = 8;  // fields 8..27 are the features of levels 1..20

// A place in the file as a message names it.
struct Place {
    int classNumber = 0;
    std::optional<std::string> name;
    std::int64_t line = 0;
};

// A text as it may appear in a message: in quotes, readable whatever its
// encoding, invisible characters made visible, and cut short after `limit` characters.
std::string shown(std::string_view raw, std::size_t limit = 40);
std::string fileName(std::string_view source);
// "\"classes.csv\", line 4, class 3 (\"Seer\")"
std::string placeText(std::string_view source, const Place& place);
// "class 3 (\"Seer\")"
std::string classText(const Place& place);
std::string fieldMeaning(int field);
std::string hexByte(unsigned char byte);

std::string unreadableText(std::string_view source);
std::string outOfMemoryText(std::string_view source);
std::string tooLargeStreamText(std::string_view source);
std::string tooLargeFileText(std::uintmax_t bytes);
std::string wideTextMessage(std::string_view source, int bits);

std::string numberText(int field, std::string_view text);
std::string endsEarlyText(int fieldsRead);
std::string unclosedQuoteText(int field);
std::string closingQuoteMissingText(int field, std::int64_t nextQuoteLine, std::string_view stray);
std::string textAfterQuoteText(int field, std::string_view stray);
std::string fieldTooLongText(int field);
std::string fortyFirstClassText();
std::string shortLineText(std::int64_t line, int fields, int classNumber, bool nextLineTaken);
std::string blankLineText(std::int64_t line, int field);
std::string paddingText(std::string_view holds, const Place& other);
std::string unpaddedText(std::string_view holds, const Place& padded, int paddedCount);
std::string longRowText(std::int64_t line, int width, std::string_view extra, bool everyRow);
std::string headerRowText(std::string_view hitDie, std::string_view skillPoints);
std::string foreignTrueText(std::string_view word);

// The first control character in a text other than tab and line ends, C1
// controls written in UTF-8 among them.
std::optional<char32_t> controlCharacter(std::string_view text);
std::string controlCharacterText(int field, std::string_view text, char32_t control);
std::string mixedEncodingText(int field, unsigned char byte);
std::string separatorHintText(bool semicolons);
std::string notTextHintText(unsigned char byte);
std::string midLineText(int classNumber);

}  // namespace vostrel::detail
