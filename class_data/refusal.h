#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "class_file_format.h"

namespace vostrel {

// What kind of fault made a class data file be refused. The comments say which
// parts of the Refusal each kind fills besides its source.
enum class RefusalKind {
    // The file as a whole.
    CannotOpen,  // number: the system's error number
    CannotRead,  // number: the system's error number
    NamedPipe,   // the file is no file of data, but this
    Socket,
    Device,
    NotRegularFile,
    TooLargeFile,    // number: its size in bytes
    TooLargeStream,  // more than kMaxClassFileBytes came from a stream
    Unreadable,      // the data broke off with an error
    OutOfMemory,

    // A field of a class; the place names its line, class and field.
    BadNumber,            // found: the field's text
    DataEndsEarly,        // the place's field is the first one missing
    UnclosedQuote,        // a quoted field runs to the end of the data
    ClosingQuoteMissing,  // found: what follows the next quote; number: that quote's line
    TextAfterQuote,       // found: what follows the closing quote, on the place's line
    FieldTooLong,         // longer than kMaxFieldBytes
    FortyFirstClass,      // the place is where a class past kMaxClasses begins
    BlankLineInClass,     // the place is the blank line, its field the one due there
    ControlCharacter,     // found: the field's text; number: the character's code

    // What the file as a whole shows of a class, or of its text.
    ShortLine,  // number: the fields on the place's line; the class took more from the next
    ShortLineBeforeBlankLine,  // the same, where a blank line follows the short one
    ExtraEmptyField,           // the class ends with one more comma than `other` does
    MissingEmptyField,         // `other` and number - 1 classes more end with one more comma
    MixedEncoding,             // number: a byte that is no part of UTF-8 in an otherwise UTF-8 file
    HeaderRow,                 // place: its line; found, alsoFound: its hit die and skill points
    LongRow,                   // number: the fields on the place's line; found: the first after 27
    ColumnAfterLevel20,        // the same, on every line
    WideText,                  // place: line 1; number: 16 or 32, the text being UTF-16 or UTF-32
};

// How a refusal's message is built: the file's name alone, where the file could
// not be read as data at all, or the place of the fault in it. A field's fault
// may be told as where fields parted by semicolons or tabs made reading stop.
enum class RefusalGroup { WholeFile, Field, Class };

constexpr RefusalGroup groupOf(RefusalKind kind) {
    using K = RefusalKind;
    switch (kind) {
        case K::CannotOpen:
        case K::CannotRead:
        case K::NamedPipe:
        case K::Socket:
        case K::Device:
        case K::NotRegularFile:
        case K::TooLargeFile:
        case K::TooLargeStream:
        case K::Unreadable:
        case K::OutOfMemory:
            return RefusalGroup::WholeFile;
        case K::BadNumber:
        case K::DataEndsEarly:
        case K::UnclosedQuote:
        case K::ClosingQuoteMissing:
        case K::TextAfterQuote:
        case K::FieldTooLong:
        case K::FortyFirstClass:
        case K::BlankLineInClass:
        case K::ControlCharacter:
            return RefusalGroup::Field;
        case K::ShortLine:
        case K::ShortLineBeforeBlankLine:
        case K::ExtraEmptyField:
        case K::MissingEmptyField:
        case K::MixedEncoding:
        case K::HeaderRow:
        case K::LongRow:
        case K::ColumnAfterLevel20:
        case K::WideText:
            return RefusalGroup::Class;
    }
    return RefusalGroup::WholeFile;  // not reached: every kind is listed
}

struct Refusal {
    RefusalKind kind = RefusalKind::Unreadable;
    std::string source{};  // the name of the file or stream
    Place place{};
    std::string found{};           // the text found, as the kind says
    std::string alsoFound{};       // a second text, as the kind says
    std::int64_t number = 0;       // a count, code or size found, as the kind says
    std::optional<Place> other{};  // the class the place's class is compared with
    bool classOnOneLine = false;   // the place's class lies on one line

    // What else the file shows, told after the fault.
    std::optional<char> separator{};             // ';' or '\t' when the fields seem parted by it
    std::optional<unsigned char> controlByte{};  // a byte no text holds, met in the class
    bool beganMidLine = false;  // the class began right after the last field of the one before
    std::optional<std::string> foreignTrue{};  // a save column's TRUE in another language
};

// The refusal in plain English for the user: where, what was found and what was
// expected. Every kind has words of its own.
std::string describe(const Refusal& refusal);

}  // namespace vostrel
