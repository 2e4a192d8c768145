#include "refusal_messages.h"

#include <array>

#include "text_encoding.h"

namespace vostrel::detail {

namespace {

constexpr std::string_view kFarSmaller =
    "a class data file is far smaller (one of 40 classes takes a few hundred KB), and no file "
    "above 16 MiB is read";

std::string expectedValue(int field) {
    switch (field) {
        case 2:
            return "a whole number from 0 to 20: the faces of the die, such as 8 for a d8";
        case 3:
            return "a whole number from -32768 to 32767";
        default:
            return "a number from -1000 to 1000, such as 1, 0.75 or 0.5 (with a point, not a "
                   "comma, before any decimals)";
    }
}

}  // namespace

std::string shown(std::string_view raw, std::size_t limit) {
    const std::string text = isValidUtf8(raw) ? std::string(raw) : windows1252ToUtf8(raw);
    std::string out = "\"";
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool continuation = (static_cast<unsigned char>(c) & 0xC0) == 0x80;
        if (!continuation && characters++ == limit) {
            out += "...";
            break;
        }
        if (c == '\t') {
            out += "<tab>";
        } else if (c == '\0') {
            out += "<NUL>";
        } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            out += ' ';
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string fileName(std::string_view source) {
    return shown(source, std::string_view::npos);
}

std::string classText(const Place& place) {
    std::string text = "class " + std::to_string(place.classNumber);
    if (place.name) {
        text += " (" + shown(*place.name) + ")";
    }
    return text;
}

std::string placeText(std::string_view source, const Place& place) {
    return fileName(source) + ", line " + std::to_string(place.line) + ", " + classText(place);
}

std::string fieldMeaning(int field) {
    static constexpr std::array<std::string_view, kFirstFeatureField - 1> kNames{
        "name",           "hit die",     "skill points", "attack rate",
        "Fortitude save", "Reflex save", "Will save"};
    if (field >= 1 && field < kFirstFeatureField) {
        return std::string(kNames[static_cast<std::size_t>(field - 1)]);
    }
    return "level " + std::to_string(field - kFirstFeatureField + 1) + " feature";
}

std::string hexByte(unsigned char byte) {
    static constexpr std::string_view kDigits = "0123456789ABCDEF";
    return std::string("0x") + kDigits[byte >> 4] + kDigits[byte & 0xF];
}

std::string unreadableText(std::string_view source) {
    return fileName(source) + ": the file could not be read to its end.";
}

std::string outOfMemoryText(std::string_view source) {
    return fileName(source) + ": there is not enough memory to read this file.";
}

std::string tooLargeStreamText(std::string_view source) {
    return fileName(source) + " holds more than 16 MiB; " + std::string(kFarSmaller) + ".";
}

// "16.0 MiB (16,777,217 bytes)": the nearest tenth, and the exact count so that
// a file just over the limit does not seem to be at it. Made from integers
// alone: the window's locale must not turn the point into a comma.
std::string tooLargeFileText(std::uintmax_t bytes) {
    constexpr std::uintmax_t kMiB = std::uintmax_t{1} << 20;
    constexpr std::uintmax_t kGiB = kMiB << 10;
    const std::uintmax_t unit = bytes >= kGiB ? kGiB : kMiB;
    std::uintmax_t whole = bytes / unit;
    std::uintmax_t tenths = ((bytes % unit) * 10 + unit / 2) / unit;
    if (tenths == 10) {
        ++whole;
        tenths = 0;
    }
    std::string exact = std::to_string(bytes);
    for (auto at = exact.size(); at > 3; at -= 3) {
        exact.insert(at - 3, ",");
    }
    return " is " + std::to_string(whole) + "." + std::to_string(tenths) +
           (unit == kGiB ? " GiB (" : " MiB (") + exact + " bytes); " + std::string(kFarSmaller) +
           ".";
}

std::string wideTextMessage(std::string_view source, int bits) {
    (void)bits;
    return fileName(source) +
           ", line 1: this file is UTF-16 text (it begins with a UTF-16 byte-order "
           "mark or has NUL bytes between its characters), which this program does "
           "not read. Save it again as UTF-8 text or as CSV (comma-separated "
           "values).";
}

std::string numberText(int field, std::string_view text) {
    return "the " + fieldMeaning(field) + " field " +
           (text.empty() ? "is empty" : "holds " + shown(text)) + ", but it should hold " +
           expectedValue(field);
}

std::string endsEarlyText(int fieldsRead) {
    return "the file ends after " + std::to_string(fieldsRead) +
           " of the 27 fields of this class; the " + fieldMeaning(fieldsRead + 1) +
           " and every field after it are missing";
}

std::string unclosedQuoteText(int field) {
    return "the " + fieldMeaning(field) +
           " field opens a double quote that never closes, so the rest of the file would belong "
           "to it";
}

std::string closingQuoteMissingText(int field, std::int64_t nextQuoteLine, std::string_view stray) {
    return "the " + fieldMeaning(field) +
           " field opens a double quote here, and its closing quote may be missing: the next "
           "double quote comes only on line " +
           std::to_string(nextQuoteLine) + ", followed by " + shown(stray) +
           ", so the fields in between would all belong to this one";
}

std::string textAfterQuoteText(int field, std::string_view stray) {
    return "found " + shown(stray) + " after the closing quote of the " + fieldMeaning(field) +
           " field, where only a comma or the end of the line may follow (to put a double quote "
           "inside a quoted text, write it twice: \"\")";
}

std::string fieldTooLongText(int field) {
    return "the " + fieldMeaning(field) +
           " field is longer than 65,536 bytes, the most a field may hold";
}

std::string fortyFirstClassText() {
    return "a 41st class begins here, but a class data file may hold at most 40 classes";
}

std::string shortLineText(std::int64_t line, int fields, int classNumber) {
    const std::string lineText = std::to_string(line);
    const std::string number = std::to_string(classNumber);
    return "line " + lineText + " holds " + std::to_string(fields) +
           (fields == 1 ? " field" : " fields") + "; a class needs 27. Class " + number +
           " therefore takes its missing fields from the next line, and every class after it is "
           "shifted: check line " +
           lineText + " for a missing comma.";
}

std::string paddingText(std::string_view holds, const Place& other) {
    return std::string(holds) +
           " 28 fields where a class has 27: its level 20 feature is followed by one more comma "
           "and nothing after it, while " +
           classText(other) +
           " ends with its level 20 feature. A comma inside a text that is not in double quotes "
           "(Bonus Feat, Evasion) or a decimal comma (0,75 for 0.75) splits one field in two and "
           "moves every field after it one place on: put such a text in double quotes, and write "
           "numbers with a point.";
}

std::string mixedEncodingText(int field, unsigned char byte) {
    return "the " + fieldMeaning(field) + " field holds the byte " + hexByte(byte) +
           ", which is no part of any UTF-8 character, while other texts of the file are UTF-8: "
           "the file mixes two encodings. Save it again as UTF-8.";
}

std::string separatorHintText(bool semicolons) {
    return std::string(" This file seems to separate its fields with ") +
           (semicolons ? "semicolons" : "tabs") +
           ", but a class data file separates them with commas (a spreadsheet program can save "
           "it as comma-separated values).";
}

std::string notTextHintText(unsigned char byte) {
    return " The file holds " +
           (byte == 0 ? std::string("NUL bytes") : "control bytes such as " + hexByte(byte)) +
           ", so it is probably not a text file at all.";
}

std::string midLineText(int classNumber) {
    return " Class " + std::to_string(classNumber) +
           " begins in the middle of a line, right after the last field of class " +
           std::to_string(classNumber - 1) +
           ": check that every class before it has exactly 27 fields.";
}

}  // namespace vostrel::detail
