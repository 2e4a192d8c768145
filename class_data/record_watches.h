#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "field_reader.h"
#include "refusal.h"

// Watchers beside the reading of classes: each notes one thing about the classes
// read so far and gives its verdict once it has seen enough. They see what no
// one class shows, such as a class that differs from the others.
namespace vostrel::detail {

// Spreadsheet exports may end every row with one empty field too many; where
// only some classes do, the odd ones are the fewer.
class PaddingWatch {
public:
    // A class read to its end: `padded` when an empty field after a last comma
    // ended it; `onOneLine` when the class lies on one line.
    void note(bool padded, Place place, bool onOneLine);
    // Once every class is read: refused when some classes are padded and some not.
    std::optional<Refusal> verdict() const;

private:
    struct First {
        Place place;
        bool onOneLine = false;
    };
    std::optional<First> firstPadded_;
    std::optional<First> firstUnpadded_;
    int padded_ = 0;
    int unpadded_ = 0;
};

// How classes lie on lines. While every class from the first on fills one line,
// the file keeps one class per line, and the first class that runs on into the
// next line is most likely short of a field: its short line explains a fault
// met further on better than the fault itself.
class LineWatch {
public:
    void classBegins(int classNumber, std::int64_t line);
    // A field of the class being read, once stored; `name` is the class's name.
    void note(const Field& field, int fieldNumber, const std::string& name) {
        if (field.end == FieldEnd::LineEnd && fieldNumber != kFieldCount && onOneLine_) {
            noteLineEnd(field, fieldNumber, name);
        }
    }
    // The class has all its fields; `lineGoesOn` when the next one begins on the
    // line where it ended.
    void classEnds(bool lineGoesOn);

    // No field of the class being read has ended a line before its last field.
    bool classOnOneLine() const { return onOneLine_; }
    // The class being read began right after the one before, on the same line.
    bool beganMidLine() const { return beganMidLine_; }
    bool anyBeganMidLine() const { return anyBeganMidLine_; }

    // The short-line refusal to tell instead of the fault `found` in the class
    // being read, when a short line explains it.
    std::optional<Refusal> verdict(const Refusal& found) const;

private:
    void noteLineEnd(const Field& field, int fieldNumber, const std::string& name);
    Refusal shortLine(RefusalKind kind) const;

    int classNumber_ = 0;
    std::int64_t classLine_ = 0;
    bool onOneLine_ = true;
    int oneLineClasses_ = 0;  // from the first class on
    std::optional<Place> shortLine_;
    int shortLineFields_ = 0;
    bool beganMidLine_ = false;
    bool anyBeganMidLine_ = false;
};

// The first byte that is not UTF-8, and whether well-formed UTF-8 other than
// ASCII occurs: both at once mean two encodings in one file.
class EncodingWatch {
public:
    // A text field of the class `classNumber`, named `name` unless the field is its name.
    void note(const Field& field, int fieldNumber, int classNumber, const std::string& name);
    // Once the file is accepted: true when its texts are Windows-1252, not UTF-8.
    bool windows1252() const { return foreign_.has_value(); }
    std::optional<Refusal> verdict() const;

private:
    std::optional<Place> foreign_;
    unsigned char foreignByte_ = 0;
    bool multiByte_ = false;
};

}  // namespace vostrel::detail
