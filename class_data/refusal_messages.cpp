#include "refusal_messages.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "text_encoding.h"

namespace vostrel::detail {

namespace {

constexpr std::string_view kFarSmaller =
    "a class data file is far smaller (one of 40 classes takes a few hundred KB), and no file "
    "above 16 MiB is read";

std::string hex(char32_t value, int digits) {
    static constexpr std::string_view kDigits = "0123456789ABCDEF";
    std::string out;
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) {
        out += kDigits[(value >> shift) & 0xF];
    }
    return out;
}

// The bytes of the UTF-8 character a lead byte begins (1 for a stray byte).
std::size_t utf8Length(unsigned char lead) {
    return lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
}

// `text` is well-formed UTF-8.
char32_t codePointAt(std::string_view text, std::size_t at, std::size_t length) {
    static constexpr std::array<unsigned char, 5> kLeadBits{0, 0x7F, 0x1F, 0x0F, 0x07};
    char32_t code = static_cast<unsigned char>(text[at]) & kLeadBits[length];
    for (std::size_t k = 1; k < length && at + k < text.size(); ++k) {
        code = (code << 6) | (static_cast<unsigned char>(text[at + k]) & 0x3Fu);
    }
    return code;
}

bool isControl(char32_t code) {
    return code < 0x20 || (code >= 0x7F && code <= 0x9F);
}

// Characters that show as nothing or as an ordinary space: "8" and "8" followed
// by one of them look alike in a message unless it is named.
bool isInvisible(char32_t code) {
    return isControl(code) || code == 0xAD || code == 0x34F || code == 0x61C || code == 0x180E ||
           (code >= 0x2000 && code <= 0x200F) || (code >= 0x2028 && code <= 0x202F) ||
           (code >= 0x205F && code <= 0x206F) || code == 0x3000 || code == 0x3164 ||
           (code >= 0xFE00 && code <= 0xFE0F) || code == 0xFEFF || code == 0xFFA0 ||
           (code >= 0xE0000 && code <= 0xE0FFF);
}

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
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = utf8Length(static_cast<unsigned char>(text[i]));
        const char32_t code = codePointAt(text, i, length);
        if (characters++ == limit) {
            out += "...";
            break;
        }
        if (code == '\t') {
            out += "<tab>";
        } else if (code == 0) {
            out += "<NUL>";
        } else if (code == '\r' || code == '\n') {
            out += ' ';
        } else if (code == 0xA0) {
            out += "<NBSP>";
        } else if (isInvisible(code)) {
            out += "<U+" + hex(code, code > 0xFFFF ? 5 : 4) + ">";
        } else {
            out.append(text, i, length);
        }
        i += length;
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
    const std::string name = "UTF-" + std::to_string(bits);
    return fileName(source) + ", line 1: this file is " + name + " text (it begins with a " + name +
           " byte-order mark or has " +
           (bits == 16 ? "a NUL byte beside each character" : "three NUL bytes to each character") +
           "), which this program does not read. Save it again as \"CSV (UTF-8)\", "
           "comma-separated values in UTF-8.";
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

std::string shortLineText(std::int64_t line, int fields, int classNumber, bool nextLineTaken) {
    const std::string lineText = std::to_string(line);
    std::string text = "line " + lineText + " holds " + std::to_string(fields) +
                       (fields == 1 ? " field" : " fields") + "; a class needs 27";
    if (nextLineTaken) {
        text += ". Class " + std::to_string(classNumber) +
                " therefore takes its missing fields from the next line, and every class after "
                "it is shifted";
    }
    return text + ": check line " + lineText +
           (fields == kFieldCount - 1 ? " for a missing comma." : " for its missing fields.");
}

std::string blankLineText(std::int64_t line, int field) {
    return "line " + std::to_string(line) + " is blank where the " + fieldMeaning(field) +
           " should follow, and a blank line never fills a field: this class holds only " +
           std::to_string(field - 1) + " of its 27 fields";
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

std::string unpaddedText(std::string_view holds, const Place& padded, int paddedCount) {
    return std::string(holds) + " 27 fields, ending with its level 20 feature, while " +
           std::to_string(paddedCount) + " other classes, " + classText(padded) +
           " the first of them, end with one more comma and nothing after it, as a spreadsheet "
           "writes its rows. Either every class ends with that comma or none does: check this "
           "class for a missing field.";
}

std::string longRowText(std::int64_t line, int width, std::string_view extra, bool everyRow) {
    if (everyRow) {
        return "every class line holds a column after the level 20 feature (line " +
               std::to_string(line) + " ends with " + shown(extra) +
               "), but a class data file has nothing after level 20: that column must go.";
    }
    return "line " + std::to_string(line) + " holds " + std::to_string(width) +
           " fields where a class has 27, with " + shown(extra) +
           " after the 27th. A class data file has no column after the level 20 feature, so a "
           "column of notes there must go; a text with a comma in it goes in double quotes, and "
           "a number is written with a point (0.75, not 0,75).";
}

std::string headerRowText(std::string_view hitDie, std::string_view skillPoints) {
    return "the file seems to begin with a header row (its hit die and skill points fields read " +
           shown(hitDie) + " and " + shown(skillPoints) +
           "), but a class data file has none: its first line is the first class. Delete the "
           "header row.";
}

std::string foreignTrueText(std::string_view word) {
    return " The save columns hold " + shown(word) +
           " as well: a good save must read TRUE exactly, in capitals, or the class counts it as "
           "a poor save.";
}

std::optional<char32_t> controlCharacter(std::string_view text) {
    // Every field passes here: a first look eight bytes at a time keeps that
    // cheap. It flags bytes below 0x20, 0x7F and 0xC2, the lead byte of C1 controls.
    constexpr std::uint64_t kOnes = 0x0101010101010101U;
    constexpr std::uint64_t kHigh = 0x8080808080808080U;
    const auto hasZero = [](std::uint64_t v) { return (v - kOnes) & ~v & kHigh; };
    std::size_t at = 0;
    bool suspect = false;
    for (; at + 8 <= text.size() && !suspect; at += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, text.data() + at, 8);
        suspect = ((word - kOnes * 0x20) & ~word & kHigh) != 0 || hasZero(word ^ (kOnes * 0x7F)) ||
                  hasZero(word ^ (kOnes * 0xC2));
    }
    if (!suspect &&
        std::none_of(text.begin() + static_cast<std::ptrdiff_t>(at), text.end(), [](char c) {
            const auto byte = static_cast<unsigned char>(c);
            return byte < 0x20 || byte == 0x7F || byte == 0xC2;
        })) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (isControlByte(byte)) {
            return byte;
        }
        if (byte == 0xC2 && i + 1 < text.size()) {
            const auto next = static_cast<unsigned char>(text[i + 1]);
            if (next >= 0x80 && next <= 0x9F) {
                return next;
            }
        }
    }
    return std::nullopt;
}

std::string controlCharacterText(int field, std::string_view text, char32_t control) {
    const std::string found = "the " + fieldMeaning(field) + " field holds " + shown(text) +
                              " with the control character U+" + hex(control, 4);
    if (control == 0) {
        return found + ", so the file is probably not a text file at all";
    }
    return found +
           ", which no text holds: the file was probably saved in the wrong character set. "
           "Save it again as \"CSV (UTF-8)\"";
}

std::string mixedEncodingText(int field, unsigned char byte) {
    return "the " + fieldMeaning(field) + " field holds the byte " + hexByte(byte) +
           ", which is no part of any UTF-8 character, while other texts of the file are UTF-8: "
           "the file mixes two encodings. Save it again as UTF-8.";
}

std::string separatorHintText(bool semicolons) {
    return std::string("this file seems to separate its fields with ") +
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
