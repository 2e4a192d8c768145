#include "record_watches.h"

#include <cstddef>
#include <string_view>
#include <utility>

#include "text_encoding.h"

namespace vostrel::detail {

namespace {

// Line ends inside a quoted text, counted as the field reader counts them.
std::int64_t lineEndsIn(std::string_view text) {
    std::int64_t ends = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool crLf = text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n';
        ends += (text[i] == '\n' || (text[i] == '\r' && !crLf)) ? 1 : 0;
    }
    return ends;
}

}  // namespace

void PaddingWatch::note(bool padded, Place place, bool onOneLine) {
    ++(padded ? padded_ : unpadded_);
    std::optional<First>& first = padded ? firstPadded_ : firstUnpadded_;
    if (!first) {
        first = First{std::move(place), onOneLine};
    }
}

std::optional<Refusal> PaddingWatch::verdict() const {
    if (padded_ == 0 || unpadded_ == 0) {
        return std::nullopt;
    }
    const bool paddedOdd = padded_ <= unpadded_;
    const First& odd = paddedOdd ? *firstPadded_ : *firstUnpadded_;
    return Refusal{
        .kind = paddedOdd ? RefusalKind::ExtraEmptyField : RefusalKind::MissingEmptyField,
        .place = odd.place,
        .number = paddedOdd ? 0 : padded_,
        .other = (paddedOdd ? firstUnpadded_ : firstPadded_)->place,
        .classOnOneLine = odd.onOneLine};
}

void LineWatch::classBegins(int classNumber, std::int64_t line) {
    classNumber_ = classNumber;
    classLine_ = line;
    onOneLine_ = true;
}

// The first line end inside the class, before its last field.
void LineWatch::noteLineEnd(const Field& field, int fieldNumber, const std::string& name) {
    onOneLine_ = false;
    // A line end inside a quoted text would make the count of the line's fields a guess.
    // The first class has no class before it to show one class per line; it is
    // taken as short only once the class after it begins in the middle of a line.
    if (oneLineClasses_ == classNumber_ - 1 && field.line == classLine_) {
        shortLine_ = Place{.line = classLine_, .classNumber = classNumber_, .className = name};
        shortLineFields_ = fieldNumber;
    }
}

void LineWatch::classEnds(bool lineGoesOn) {
    if (onOneLine_ && !lineGoesOn && oneLineClasses_ == classNumber_ - 1) {
        ++oneLineClasses_;
    }
    beganMidLine_ = lineGoesOn;
    anyBeganMidLine_ = anyBeganMidLine_ || lineGoesOn;
}

std::optional<Refusal> LineWatch::verdict(const Refusal& found) const {
    if (!shortLine_) {
        return std::nullopt;
    }
    // A class on a short line takes the next line's fields as its own, which then
    // fail to read: a number where a text stands, or a blank line.
    const bool onShortLine = shortLine_->classNumber == classNumber_ &&
                             (oneLineClasses_ >= 1 || shortLineFields_ > kFieldCount / 2);
    if (onShortLine && found.kind == RefusalKind::BadNumber) {
        return shortLine(RefusalKind::ShortLine);
    }
    if (onShortLine && found.kind == RefusalKind::BlankLineInClass) {
        return shortLine(RefusalKind::ShortLineBeforeBlankLine);
    }
    if (beganMidLine_ && shortLine_->classNumber == classNumber_ - 1) {
        return shortLine(RefusalKind::ShortLine);
    }
    return std::nullopt;
}

Refusal LineWatch::shortLine(RefusalKind kind) const {
    return Refusal{.kind = kind, .place = *shortLine_, .number = shortLineFields_};
}

void EncodingWatch::note(const Field& field, int fieldNumber, int classNumber,
                         const std::string& name) {
    if (multiByte_ && foreign_) {
        return;
    }
    const std::string& text = field.text;
    const Utf8Scan scan = scanUtf8(text);
    multiByte_ = multiByte_ || scan.multiByte;
    if (scan.firstInvalid == std::string::npos || foreign_) {
        return;
    }
    const std::int64_t line =
        field.line + lineEndsIn(std::string_view(text).substr(0, scan.firstInvalid));
    foreign_ = Place{.line = line,
                     .classNumber = classNumber,
                     .className = fieldNumber > 1 ? std::optional(name) : std::nullopt,
                     .field = fieldNumber};
    foreignByte_ = static_cast<unsigned char>(text[scan.firstInvalid]);
}

std::optional<Refusal> EncodingWatch::verdict() const {
    if (!foreign_ || !multiByte_) {
        return std::nullopt;
    }
    return Refusal{.kind = RefusalKind::MixedEncoding, .place = *foreign_, .number = foreignByte_};
}

}  // namespace vostrel::detail
