#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <system_error>

#include "class_table.h"
#include "field_values.h"
#include "number_text.h"
#include "quoted_text.h"
#include "refusal.h"

// Every text a class data file's refusal shows the user is written here, from
// the refusal's values.
namespace vostrel {

namespace {

using K = RefusalKind;

std::string hexByte(unsigned char byte) {
    return "0x" + hexDigits(byte, 2);
}

// "16,777,217"
std::string withThousands(std::uintmax_t value) {
    const std::string digits = integerText(value);
    std::string text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            text += ',';
        }
        text += digits[i];
    }
    return text;
}

// "41st"
std::string ordinal(int value) {
    const int last = value % 10;
    const bool teen = value % 100 / 10 == 1;
    const char* suffix = teen || last > 3 || last == 0 ? "th"
                         : last == 1                   ? "st"
                         : last == 2                   ? "nd"
                                                       : "rd";
    return integerText(value) + suffix;
}

std::string shown(std::string_view raw) {
    return quotedText(raw);
}

std::string fileName(std::string_view source) {
    return quotedText(source, {.characters = std::string_view::npos});
}

// "class 3 (\"Seer\")"
std::string classText(const Place& place) {
    std::string text = "class " + integerText(place.classNumber);
    if (place.className) {
        text += " (" + shown(*place.className) + ")";
    }
    return text;
}

// "\"classes.csv\", line 4, class 3 (\"Seer\")"
std::string placeText(std::string_view source, const Place& place) {
    std::string text = fileName(source) + ", line " + integerText(place.line);
    if (place.classNumber > 0) {
        text += ", " + classText(place);
    }
    return text;
}

std::string fieldMeaning(int field) {
    static constexpr std::array<std::string_view, kFirstFeatureField - 1> kNames{
        "name",           "hit die",     "skill points", "attack rate",
        "Fortitude save", "Reflex save", "Will save"};
    if (field >= 1 && field < kFirstFeatureField) {
        return std::string(kNames[static_cast<std::size_t>(field - 1)]);
    }
    return "level " + integerText(field - kFirstFeatureField + 1) + " feature";
}

std::string lastFeature() {
    return fieldMeaning(kFieldCount);
}

std::string expectedValue(int field) {
    using Limits = std::numeric_limits<std::int16_t>;
    switch (field) {
        case 2:
            return "a whole number from 0 to " + integerText(kMaxHitDie) +
                   ": the faces of the die, such as 8 for a d8";
        case 3:
            return "a whole number from " + integerText(Limits::min()) + " to " +
                   integerText(Limits::max());
        default: {
            const std::string most = integerText(static_cast<std::int64_t>(detail::kMaxAttackRate));
            return "a number from -" + most + " to " + most +
                   ", such as 1, 0.75 or 0.5 (with a point, not a comma, before any decimals)";
        }
    }
}

std::string farSmaller() {
    const std::string limit = integerText(static_cast<std::int64_t>(kMaxClassFileBytes >> 20));
    return "a class data file is far smaller (one of " + integerText(kMaxClasses) +
           " classes takes a few hundred KB), and no file above " + limit + " MiB is read";
}

// "16.0 MiB (16,777,217 bytes)": the nearest tenth, and the exact count so that
// a file just over the limit does not seem to be at it. Made from integers
// alone: the window's locale must not turn the point into a comma.
std::string sizeText(std::uintmax_t bytes) {
    constexpr std::uintmax_t kMiB = std::uintmax_t{1} << 20;
    constexpr std::uintmax_t kGiB = kMiB << 10;
    const std::uintmax_t unit = bytes >= kGiB ? kGiB : kMiB;
    std::uintmax_t whole = bytes / unit;
    std::uintmax_t tenths = ((bytes % unit) * 10 + unit / 2) / unit;
    if (tenths == 10) {
        ++whole;
        tenths = 0;
    }
    return integerText(whole) + "." + integerText(tenths) + (unit == kGiB ? " GiB (" : " MiB (") +
           withThousands(bytes) + " bytes)";
}

// What follows the file's name, or the place and a colon: a clause without its
// full stop for a field's fault, whole sentences otherwise.
std::string faultText(const Refusal& r) {
    const auto reason = [&r] {
        return std::generic_category().message(static_cast<int>(r.number)) + ".";
    };
    const auto notData = [](std::string_view what) {
        return " is " + std::string(what) +
               ", not a file of data: a class data file is an ordinary file saved on disk.";
    };
    const int field = r.place.field;
    const std::string theField = "the " + fieldMeaning(field) + " field";
    const std::string line = integerText(r.place.line);
    const std::string holds = r.classOnOneLine ? "line " + line + " holds" : "this class holds";
    switch (r.kind) {
        case K::CannotOpen:
            return " cannot be opened: " + reason();
        case K::CannotRead:
            return " cannot be read: " + reason();
        case K::NamedPipe:
            return notData("a named pipe (FIFO)");
        case K::Socket:
            return notData("a socket");
        case K::Device:
            return notData("a device");
        case K::NotRegularFile:
            return notData("no regular file");
        case K::TooLargeFile:
            return " is " + sizeText(static_cast<std::uintmax_t>(r.number)) + "; " + farSmaller() +
                   ".";
        case K::TooLargeStream:
            return " holds more than " +
                   integerText(static_cast<std::int64_t>(kMaxClassFileBytes >> 20)) + " MiB; " +
                   farSmaller() + ".";
        case K::OutOfMemory:
            return ": there is not enough memory to read this file.";
        case K::Unreadable:
            return ": the file could not be read to its end.";

        case K::BadNumber:
            return theField + " " + (r.found.empty() ? "is empty" : "holds " + shown(r.found)) +
                   ", but it should hold " + expectedValue(field);
        case K::DataEndsEarly:
            return "the file ends after " + integerText(field - 1) + " of the " +
                   integerText(kFieldCount) + " fields of this class; the " + fieldMeaning(field) +
                   " and every field after it are missing";
        case K::UnclosedQuote:
            return theField +
                   " opens a double quote that never closes, so the rest of the file would "
                   "belong to it";
        case K::ClosingQuoteMissing:
            return theField +
                   " opens a double quote here, and its closing quote may be missing: the next "
                   "double quote comes only on line " +
                   integerText(r.number) + ", followed by " + shown(r.found) +
                   ", so the fields in between would all belong to this one";
        case K::TextAfterQuote:
            return "found " + shown(r.found) + " after the closing quote of " + theField +
                   ", where only a comma or the end of the line may follow (to put a double "
                   "quote inside a quoted text, write it twice: \"\")";
        case K::FieldTooLong:
            return theField + " is longer than " + withThousands(kMaxFieldBytes) +
                   " bytes, the most a field may hold";
        case K::FortyFirstClass:
            return "a " + ordinal(kMaxClasses + 1) +
                   " class begins here, but a class data file may hold at most " +
                   integerText(kMaxClasses) + " classes";
        case K::BlankLineInClass:
            return "line " + line + " is blank where the " + fieldMeaning(field) +
                   " should follow, and a blank line never fills a field: this class holds only " +
                   integerText(field - 1) + " of its " + integerText(kFieldCount) + " fields";
        case K::ControlCharacter: {
            const auto control = static_cast<char32_t>(r.number);
            const std::string found = theField + " holds " + shown(r.found) +
                                      " with the control character U+" + hexDigits(control, 4);
            if (control == 0) {
                return found + ", so the file is probably not a text file at all";
            }
            return found +
                   ", which no text holds: the file was probably saved in the wrong character "
                   "set. Save it again as \"CSV (UTF-8)\"";
        }

        case K::ShortLine:
        case K::ShortLineBeforeBlankLine: {
            std::string text = "line " + line + " holds " + integerText(r.number) +
                               (r.number == 1 ? " field" : " fields") + "; a class needs " +
                               integerText(kFieldCount);
            if (r.kind == K::ShortLine) {
                text += ". Class " + integerText(r.place.classNumber) +
                        " therefore takes its missing fields from the next line, and every class "
                        "after it is shifted";
            }
            return text + ": check line " + line +
                   (r.number == kFieldCount - 1 ? " for a missing comma."
                                                : " for its missing fields.");
        }
        case K::ExtraEmptyField:
            return holds + " " + integerText(kFieldCount + 1) + " fields where a class has " +
                   integerText(kFieldCount) + ": its " + lastFeature() +
                   " is followed by one more comma and nothing after it, while " +
                   classText(*r.other) + " ends with its " + lastFeature() +
                   ". A comma inside a text that is not in double quotes (Bonus Feat, Evasion) "
                   "or a decimal comma (0,75 for 0.75) splits one field in two and moves every "
                   "field after it one place on: put such a text in double quotes, and write "
                   "numbers with a point.";
        case K::MissingEmptyField:
            return holds + " " + integerText(kFieldCount) + " fields, ending with its " +
                   lastFeature() + ", while " + integerText(r.number) + " other classes, " +
                   classText(*r.other) +
                   " the first of them, end with one more comma and nothing after it, as a "
                   "spreadsheet writes its rows. Either every class ends with that comma or none "
                   "does: check this class for a missing field.";
        case K::MixedEncoding:
            return "the " + fieldMeaning(field) + " field holds the byte " +
                   hexByte(static_cast<unsigned char>(r.number)) +
                   ", which is no part of any UTF-8 character, while other texts of the file are "
                   "UTF-8: the file mixes two encodings. Save it again as UTF-8.";
        case K::HeaderRow:
            return "the file seems to begin with a header row (its hit die and skill points fields "
                   "read " +
                   shown(r.found) + " and " + shown(r.alsoFound) +
                   "), but a class data file has none: its first line is the first class. Delete "
                   "the header row.";
        case K::LongRow:
            return "line " + line + " holds " + integerText(r.number) +
                   " fields where a class has " + integerText(kFieldCount) + ", with " +
                   shown(r.found) + " after the " + ordinal(kFieldCount) +
                   ". A class data file has no column after the " + lastFeature() +
                   ", so a column of notes there must go; a text with a comma in it goes in double "
                   "quotes, and a number is written with a point (0.75, not 0,75).";
        case K::ColumnAfterLevel20:
            return "every class line holds a column after the " + lastFeature() + " (line " + line +
                   " ends with " + shown(r.found) +
                   "), but a class data file has nothing after level " + integerText(kMaxLevel) +
                   ": that column must go.";
        case K::WideText: {
            const std::string name = "UTF-" + integerText(r.number);
            return "this file is " + name + " text (it begins with a " + name +
                   " byte-order mark or has " +
                   (r.number == 16 ? "a NUL byte beside each character"
                                   : "three NUL bytes to each character") +
                   "), which this program does not read. Save it again as \"CSV (UTF-8)\", "
                   "comma-separated values in UTF-8.";
        }
    }
    return {};  // not reached: every kind is listed
}

}  // namespace

std::string describe(const Refusal& r) {
    const std::string what = faultText(r);
    std::string text;
    switch (groupOf(r.kind)) {
        case RefusalGroup::WholeFile:
            return fileName(r.source) + what;
        case RefusalGroup::Field:
            text = placeText(r.source, r.place) + ": ";
            if (r.separator) {
                text += "this file seems to separate its fields with " +
                        std::string(*r.separator == ';' ? "semicolons" : "tabs") +
                        ", but a class data file separates them with commas (a spreadsheet "
                        "program can save it as comma-separated values). Reading stopped where " +
                        what + ".";
            } else {
                text += what + ".";
            }
            break;
        case RefusalGroup::Class:
            text = placeText(r.source, r.place) + ": " + what;
            break;
    }
    if (r.controlByte) {
        text += " The file holds " +
                (*r.controlByte == 0 ? std::string("NUL bytes")
                                     : "control bytes such as " + hexByte(*r.controlByte)) +
                ", so it is probably not a text file at all.";
    }
    if (r.beganMidLine) {
        text += " Class " + integerText(r.place.classNumber) +
                " begins in the middle of a line, right after the last field of class " +
                integerText(r.place.classNumber - 1) +
                ": check that every class before it has exactly " + integerText(kFieldCount) +
                " fields.";
    }
    if (r.foreignTrue) {
        text += " The save columns hold " + shown(*r.foreignTrue) +
                " as well: a good save must read TRUE exactly, in capitals, or the class counts it "
                "as a poor save.";
    }
    return text;
}

}  // namespace vostrel
