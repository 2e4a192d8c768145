#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>
#include <system_error>

#include "class_table.h"
#include "field_values.h"
#include "refusal.h"
#include "text_encoding.h"

// Every text a refusal shows the user is written here, from the refusal's values.
namespace vostrel {

namespace {

using detail::characterAt;

constexpr auto npos = std::string_view::npos;

// How a message quotes a text.
struct Quoting {
    std::size_t characters = 40;  // cut short after this many characters
    std::size_t bytes = npos;     // or before the character that would pass this many bytes
    // The user's own typing, shown as typed. A file's text may be in any
    // encoding and hold characters that show as nothing or as a space: those are named.
    bool asTyped = false;
};

// A pasted line may be as long as a whole clipboard.
constexpr Quoting kPastedText{.characters = npos, .bytes = 60, .asTyped = true};

std::string decimal(std::int64_t value) {
    return std::to_string(value);
}

std::string hex(char32_t value, int digits) {
    static constexpr std::string_view kDigits = "0123456789ABCDEF";
    std::string out;
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) {
        out += kDigits[(value >> shift) & 0xF];
    }
    return out;
}

std::string hexByte(unsigned char byte) {
    return "0x" + hex(byte, 2);
}

// "16,777,217"
std::string withThousands(std::uintmax_t value) {
    const std::string digits = std::to_string(value);
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
    return std::to_string(value) + suffix;
}

// Characters that show as nothing or as an ordinary space: "8" and "8" followed
// by one of them look alike in a message unless it is named.
bool isInvisible(char32_t code) {
    return detail::isControlCharacter(code) || code == 0xAD || code == 0x34F || code == 0x61C ||
           code == 0x180E || (code >= 0x2000 && code <= 0x200F) ||
           (code >= 0x2028 && code <= 0x202F) || (code >= 0x205F && code <= 0x206F) ||
           code == 0x3000 || code == 0x3164 || (code >= 0xFE00 && code <= 0xFE0F) ||
           code == 0xFEFF || code == 0xFFA0 || (code >= 0xE0000 && code <= 0xE0FFF);
}

// A text as a message shows it: in quotes, readable whatever its encoding, and
// cut short as `quoting` says.
std::string shown(std::string_view raw, Quoting quoting = {}) {
    const std::string text = quoting.asTyped || detail::isValidUtf8(raw)
                                 ? std::string(raw)
                                 : detail::windows1252ToUtf8(raw);
    std::string out = "\"";
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto [code, length] = characterAt(text, i);
        if (characters++ == quoting.characters || i + length > quoting.bytes) {
            out += "...";
            break;
        }
        if (quoting.asTyped) {
            out.append(text, i, length);
        } else if (code == '\t') {
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
    return shown(source, {.characters = npos});
}

// "class 3 (\"Seer\")"
std::string classText(const Place& place) {
    std::string text = "class " + decimal(place.classNumber);
    if (place.className) {
        text += " (" + shown(*place.className) + ")";
    }
    return text;
}

// "\"classes.csv\", line 4, class 3 (\"Seer\")"
std::string placeText(std::string_view source, const Place& place) {
    std::string text = fileName(source) + ", line " + decimal(place.line);
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
    return "level " + decimal(field - kFirstFeatureField + 1) + " feature";
}

std::string lastFeature() {
    return fieldMeaning(kFieldCount);
}

std::string expectedValue(int field) {
    using Limits = std::numeric_limits<std::int16_t>;
    switch (field) {
        case 2:
            return "a whole number from 0 to " + decimal(kMaxHitDie) +
                   ": the faces of the die, such as 8 for a d8";
        case 3:
            return "a whole number from " + decimal(Limits::min()) + " to " +
                   decimal(Limits::max());
        default: {
            const std::string most = decimal(static_cast<std::int64_t>(detail::kMaxAttackRate));
            return "a number from -" + most + " to " + most +
                   ", such as 1, 0.75 or 0.5 (with a point, not a comma, before any decimals)";
        }
    }
}

std::string farSmaller() {
    const std::string limit = decimal(static_cast<std::int64_t>(kMaxClassFileBytes >> 20));
    return "a class data file is far smaller (one of " + decimal(kMaxClasses) +
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
    return std::to_string(whole) + "." + std::to_string(tenths) +
           (unit == kGiB ? " GiB (" : " MiB (") + withThousands(bytes) + " bytes)";
}

std::string fileKind(RefusalKind kind) {
    switch (kind) {
        case RefusalKind::NamedPipe:
            return "a named pipe (FIFO)";
        case RefusalKind::Socket:
            return "a socket";
        case RefusalKind::Device:
            return "a device";
        default:
            return "no regular file";
    }
}

// What follows the file's name when nothing in the file is to blame.
std::string fileFault(const Refusal& r) {
    const auto reason = [&r] {
        return std::generic_category().message(static_cast<int>(r.number)) + ".";
    };
    switch (r.kind) {
        case RefusalKind::CannotOpen:
            return " cannot be opened: " + reason();
        case RefusalKind::CannotRead:
            return " cannot be read: " + reason();
        case RefusalKind::NamedPipe:
        case RefusalKind::Socket:
        case RefusalKind::Device:
        case RefusalKind::NotRegularFile:
            return " is " + fileKind(r.kind) +
                   ", not a file of data: a class data file is an ordinary file saved on disk.";
        case RefusalKind::TooLargeFile:
            return " is " + sizeText(static_cast<std::uintmax_t>(r.number)) + "; " + farSmaller() +
                   ".";
        case RefusalKind::TooLargeStream:
            return " holds more than " +
                   decimal(static_cast<std::int64_t>(kMaxClassFileBytes >> 20)) + " MiB; " +
                   farSmaller() + ".";
        case RefusalKind::OutOfMemory:
            return ": there is not enough memory to read this file.";
        default:
            return ": the file could not be read to its end.";
    }
}

// What was wrong with the field at the place, as a clause without its full stop;
// empty for a fault that is no one field's.
std::string fieldFault(const Refusal& r) {
    const int field = r.place.field;
    const std::string theField = "the " + fieldMeaning(field) + " field";
    switch (r.kind) {
        case RefusalKind::BadNumber:
            return theField + " " + (r.found.empty() ? "is empty" : "holds " + shown(r.found)) +
                   ", but it should hold " + expectedValue(field);
        case RefusalKind::DataEndsEarly:
            return "the file ends after " + decimal(field - 1) + " of the " + decimal(kFieldCount) +
                   " fields of this class; the " + fieldMeaning(field) +
                   " and every field after it are missing";
        case RefusalKind::UnclosedQuote:
            return theField +
                   " opens a double quote that never closes, so the rest of the file would "
                   "belong to it";
        case RefusalKind::ClosingQuoteMissing:
            return theField +
                   " opens a double quote here, and its closing quote may be missing: the next "
                   "double quote comes only on line " +
                   decimal(r.number) + ", followed by " + shown(r.found) +
                   ", so the fields in between would all belong to this one";
        case RefusalKind::TextAfterQuote:
            return "found " + shown(r.found) + " after the closing quote of " + theField +
                   ", where only a comma or the end of the line may follow (to put a double "
                   "quote inside a quoted text, write it twice: \"\")";
        case RefusalKind::FieldTooLong:
            return theField + " is longer than " + withThousands(kMaxFieldBytes) +
                   " bytes, the most a field may hold";
        case RefusalKind::FortyFirstClass:
            return "a " + ordinal(kMaxClasses + 1) +
                   " class begins here, but a class data file may hold at most " +
                   decimal(kMaxClasses) + " classes";
        case RefusalKind::BlankLineInClass:
            return "line " + decimal(r.place.line) + " is blank where the " + fieldMeaning(field) +
                   " should follow, and a blank line never fills a field: this class holds only " +
                   decimal(field - 1) + " of its " + decimal(kFieldCount) + " fields";
        case RefusalKind::ControlCharacter: {
            const auto control = static_cast<char32_t>(r.number);
            const std::string found = theField + " holds " + shown(r.found) +
                                      " with the control character U+" + hex(control, 4);
            if (control == 0) {
                return found + ", so the file is probably not a text file at all";
            }
            return found +
                   ", which no text holds: the file was probably saved in the wrong character "
                   "set. Save it again as \"CSV (UTF-8)\"";
        }
        default:
            return {};
    }
}

// What the file as a whole shows to be wrong with the class at the place.
std::string classFault(const Refusal& r) {
    const std::string line = decimal(r.place.line);
    const std::string holds = r.classOnOneLine ? "line " + line + " holds" : "this class holds";
    switch (r.kind) {
        case RefusalKind::ShortLine:
        case RefusalKind::ShortLineBeforeBlankLine: {
            std::string text = "line " + line + " holds " + decimal(r.number) +
                               (r.number == 1 ? " field" : " fields") + "; a class needs " +
                               decimal(kFieldCount);
            if (r.kind == RefusalKind::ShortLine) {
                text += ". Class " + decimal(r.place.classNumber) +
                        " therefore takes its missing fields from the next line, and every class "
                        "after it is shifted";
            }
            return text + ": check line " + line +
                   (r.number == kFieldCount - 1 ? " for a missing comma."
                                                : " for its missing fields.");
        }
        case RefusalKind::ExtraEmptyField:
            return holds + " " + decimal(kFieldCount + 1) + " fields where a class has " +
                   decimal(kFieldCount) + ": its " + lastFeature() +
                   " is followed by one more comma and nothing after it, while " +
                   classText(*r.other) + " ends with its " + lastFeature() +
                   ". A comma inside a text that is not in double quotes (Bonus Feat, Evasion) "
                   "or a decimal comma (0,75 for 0.75) splits one field in two and moves every "
                   "field after it one place on: put such a text in double quotes, and write "
                   "numbers with a point.";
        case RefusalKind::MissingEmptyField:
            return holds + " " + decimal(kFieldCount) + " fields, ending with its " +
                   lastFeature() + ", while " + decimal(r.number) + " other classes, " +
                   classText(*r.other) +
                   " the first of them, end with one more comma and nothing after it, as a "
                   "spreadsheet writes its rows. Either every class ends with that comma or none "
                   "does: check this class for a missing field.";
        case RefusalKind::MixedEncoding:
            return "the " + fieldMeaning(r.place.field) + " field holds the byte " +
                   hexByte(static_cast<unsigned char>(r.number)) +
                   ", which is no part of any UTF-8 character, while other texts of the file are "
                   "UTF-8: the file mixes two encodings. Save it again as UTF-8.";
        case RefusalKind::HeaderRow:
            return "the file seems to begin with a header row (its hit die and skill points fields "
                   "read " +
                   shown(r.found) + " and " + shown(r.alsoFound) +
                   "), but a class data file has none: its first line is the first class. Delete "
                   "the header row.";
        case RefusalKind::LongRow:
            return "line " + line + " holds " + decimal(r.number) + " fields where a class has " +
                   decimal(kFieldCount) + ", with " + shown(r.found) + " after the " +
                   ordinal(kFieldCount) + ". A class data file has no column after the " +
                   lastFeature() +
                   ", so a column of notes there must go; a text with a comma in it goes in double "
                   "quotes, and a number is written with a point (0.75, not 0,75).";
        case RefusalKind::ColumnAfterLevel20:
            return "every class line holds a column after the " + lastFeature() + " (line " + line +
                   " ends with " + shown(r.found) +
                   "), but a class data file has nothing after level " + decimal(kMaxLevel) +
                   ": that column must go.";
        case RefusalKind::WideText: {
            const std::string name = "UTF-" + decimal(r.number);
            return "this file is " + name + " text (it begins with a " + name +
                   " byte-order mark or has " +
                   (r.number == 16 ? "a NUL byte beside each character"
                                   : "three NUL bytes to each character") +
                   "), which this program does not read. Save it again as \"CSV (UTF-8)\", "
                   "comma-separated values in UTF-8.";
        }
        default:
            return {};
    }
}

std::string pastedFault(const Refusal& r) {
    switch (r.kind) {
        case RefusalKind::TooManyBuildLines:
            return "a build has five lines at most";
        case RefusalKind::BadLevelCount:
            return "the level count must be one or two digits, not " + shown(r.found, kPastedText);
        case RefusalKind::NoClassNames:
            return "two class names parted by \" / \" must follow the level count";
        case RefusalKind::NoClassNamed:
            return "the loaded file has no class named " + shown(r.found, kPastedText);
        case RefusalKind::BadEscape:
            return "the quoted name " + shown(r.found, kPastedText) +
                   " holds a backslash that is not one of \\\" \\\\ \\t \\n \\r";
        case RefusalKind::UnclosedName:
            return "the quoted name " + shown(r.found, kPastedText) + " has no closing quote";
        default:
            return shown(r.found, kPastedText) + " follows the quoted name " +
                   shown(r.alsoFound, kPastedText) + " where \" / \" belongs";
    }
}

}  // namespace

std::string describe(const Refusal& r) {
    using K = RefusalKind;
    if (r.kind == K::NoBuild) {
        return "The clipboard holds no build.";
    }
    if (r.kind >= K::TooManyBuildLines) {
        return "line " + decimal(r.place.line) + ": " + pastedFault(r);
    }
    if (r.kind < K::WideText) {
        return fileName(r.source) + fileFault(r);
    }
    std::string text = placeText(r.source, r.place) + ": ";
    if (const std::string what = fieldFault(r); what.empty()) {
        text += classFault(r);
    } else if (r.separator) {
        text += "this file seems to separate its fields with " +
                std::string(*r.separator == ';' ? "semicolons" : "tabs") +
                ", but a class data file separates them with commas (a spreadsheet program can "
                "save it as comma-separated values). Reading stopped where " +
                what + ".";
    } else {
        text += what + ".";
    }
    if (r.controlByte) {
        text += " The file holds " +
                (*r.controlByte == 0 ? std::string("NUL bytes")
                                     : "control bytes such as " + hexByte(*r.controlByte)) +
                ", so it is probably not a text file at all.";
    }
    if (r.beganMidLine) {
        text += " Class " + decimal(r.place.classNumber) +
                " begins in the middle of a line, right after the last field of class " +
                decimal(r.place.classNumber - 1) +
                ": check that every class before it has exactly " + decimal(kFieldCount) +
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
