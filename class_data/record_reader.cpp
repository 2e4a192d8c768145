#include "record_reader.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "field_values.h"
#include "text_encoding.h"

namespace vostrel::detail {

RecordReader::RecordReader(ByteSource& in, int rowWidth) : fields_(in), rowWidth_(rowWidth) {}

std::optional<Refusal> RecordReader::readClasses(std::vector<ClassRecord>& records) {
    bool more = fields_.skipToData();
    if (const int bits = fields_.wideTextBits(); bits != 0) {
        return Refusal{.kind = RefusalKind::WideText, .place = {.line = 1}, .number = bits};
    }
    while (more) {
        ++classNumber_;
        fieldsRead_ = 0;
        record_ = ClassRecord{};
        recordLine_ = fields_.line();
        lines_.classBegins(classNumber_, recordLine_);
        bool emptyRow = false;
        if (auto found = readRecord(emptyRow)) {
            return found;
        }
        if (emptyRow) {
            --classNumber_;
            more = fields_.skipToData();
            continue;
        }
        const std::int64_t endLine = fields_.line();
        const bool commaEnd = field_.end == FieldEnd::Comma;
        const std::int64_t lastLine = field_.end == FieldEnd::LineEnd ? endLine - 1 : endLine;
        const bool onOneLine = lines_.classOnOneLine() && lastLine == recordLine_;
        Place place{.line = lastLine, .classNumber = classNumber_, .className = record_.name};
        records.push_back(std::move(record_));

        more = fields_.skipToData();
        const bool lineGoesOn = commaEnd && more && fields_.line() == endLine;
        if (commaEnd && !lineGoesOn) {
            census_.noteTrailingEmptyField(endLine);
        }
        lines_.classEnds(lineGoesOn);
        padding_.note(commaEnd && !lineGoesOn, std::move(place), onOneLine);
    }
    if (!fields_.readFailed()) {
        census_.noteEndOfData();
    }
    return std::nullopt;
}

std::optional<Refusal> RecordReader::readRecord(bool& emptyRow) {
    bool mayBeEmptyRow = false;
    for (int fieldNumber = 1; fieldNumber <= kFieldCount; ++fieldNumber) {
        const FieldStatus status = next();
        if (status != FieldStatus::Read) {
            return fieldRefusal(status);
        }
        if (fieldNumber > 1 && field_.isBlankLine()) {
            return refusal(RefusalKind::BlankLineInClass, field_.line, fieldNumber);
        }
        // Spreadsheets export a row that once held something as a row of empty
        // cells. No class begins so: its hit die would be empty.
        if (fieldNumber == 1) {
            mayBeEmptyRow =
                field_.lineStart && field_.end == FieldEnd::Comma && field_.isEmptyCell();
        } else if (fieldNumber == 2 && mayBeEmptyRow && field_.isEmptyCell()) {
            std::string hitDie = std::move(field_.text);
            if (restOfRowEmpty()) {
                emptyRow = true;
                return std::nullopt;
            }
            field_.text = std::move(hitDie);
        }
        if (fieldNumber == (mayBeEmptyRow ? 2 : 1) && classNumber_ > kMaxClasses) {
            return refusal(RefusalKind::FortyFirstClass, recordLine_, 0);
        }
        if (auto found = store(fieldNumber)) {
            return found;
        }
        fieldsRead_ = fieldNumber;
        lastFieldLine_ = field_.line;
        lines_.note(field_, fieldNumber, record_.name);
        if (rowWidth_ != 0 && field_.end != FieldEnd::Comma) {
            break;
        }
    }
    return std::nullopt;
}

FieldStatus RecordReader::next() {
    const FieldStatus status = fields_.read(field_);
    if (status == FieldStatus::Read) {
        census_.note(field_);
    }
    return status;
}

// After two empty cells at the start of a line: reads on to the line's end.
bool RecordReader::restOfRowEmpty() {
    while (field_.end == FieldEnd::Comma) {
        if (next() != FieldStatus::Read || !field_.isEmptyCell()) {
            return false;
        }
    }
    return true;
}

std::optional<Refusal> RecordReader::store(int fieldNumber) {
    std::string& text = field_.text;
    if (const auto control = controlCharacter(text)) {
        Refusal found = refusal(RefusalKind::ControlCharacter, field_.line, fieldNumber, text);
        found.number = *control;
        return found;
    }
    if (fieldNumber == 2 || fieldNumber == 3) {
        const auto number = parseWholeNumber(text);
        const bool fits = number && (fieldNumber == 3 || (*number >= 0 && *number <= kMaxHitDie));
        if (!fits) {
            return refusal(RefusalKind::BadNumber, field_.line, fieldNumber, text);
        }
        (fieldNumber == 2 ? record_.hitDie : record_.skillPoints) = *number;
    } else if (fieldNumber == 4) {
        const auto rate = parseAttackRate(text);
        if (!rate) {
            return refusal(RefusalKind::BadNumber, field_.line, fieldNumber, text);
        }
        record_.babRate = *rate;
    } else {
        encoding_.note(field_, fieldNumber, classNumber_, record_.name);
        // Text fields are taken over as read, without copying.
        static constexpr std::array<std::string ClassRecord::*, kFirstFeatureField> kTexts{
            nullptr,
            &ClassRecord::name,
            nullptr,
            nullptr,
            nullptr,
            &ClassRecord::fortText,
            &ClassRecord::refText,
            &ClassRecord::willText};
        std::string& slot =
            fieldNumber < kFirstFeatureField
                ? record_.*kTexts[static_cast<std::size_t>(fieldNumber)]
                : record_.features[static_cast<std::size_t>(fieldNumber - kFirstFeatureField + 1)];
        slot.swap(text);
    }
    return std::nullopt;
}

// A fault in the class being read.
Refusal RecordReader::refusal(RefusalKind kind, std::int64_t line, int field,
                              std::string found) const {
    return Refusal{
        .kind = kind,
        .place = {.line = line,
                  .classNumber = classNumber_,
                  .className = fieldsRead_ >= 1 ? std::optional(record_.name) : std::nullopt,
                  .field = field},
        .found = std::move(found)};
}

Refusal RecordReader::fieldRefusal(FieldStatus status) const {
    const int field = fieldsRead_ + 1;
    switch (status) {
        case FieldStatus::EndOfData:
            return refusal(RefusalKind::DataEndsEarly, lastFieldLine_, field);
        case FieldStatus::UnclosedQuote:
            return refusal(RefusalKind::UnclosedQuote, field_.line, field, field_.text);
        case FieldStatus::TextAfterQuote: {
            // A quoted text that ran over a line end into what looks like more
            // fields most likely lacks its own closing quote, and took another
            // field's opening quote for it.
            const std::string& quoted = field_.text;
            const auto lineEnd = quoted.find_first_of("\r\n");
            if (lineEnd != std::string::npos &&
                (quoted.find(',', lineEnd) != std::string::npos ||
                 quoted.find_first_not_of(" \t\r\n", lineEnd) == std::string::npos)) {
                Refusal found = refusal(RefusalKind::ClosingQuoteMissing, field_.line, field,
                                        fields_.strayText());
                found.number = fields_.line();
                return found;
            }
            return refusal(RefusalKind::TextAfterQuote, fields_.line(), field, fields_.strayText());
        }
        case FieldStatus::TooLong:
            return refusal(RefusalKind::FieldTooLong, field_.line, field);
        case FieldStatus::Read:
        case FieldStatus::ReadFailed:
            break;
    }
    return Refusal{.kind = RefusalKind::Unreadable};
}

// Reads on to the end of the data for the census alone.
void RecordReader::finishCensus() {
    bool rowEnded = field_.end != FieldEnd::Comma;
    for (;;) {
        if (rowEnded && !fields_.skipToData()) {
            break;
        }
        const FieldStatus status = next();
        if (status == FieldStatus::EndOfData) {
            break;
        }
        if (status != FieldStatus::Read) {
            return;
        }
        rowEnded = field_.end != FieldEnd::Comma;
    }
    if (!fields_.readFailed()) {
        census_.noteEndOfData();
    }
}

}  // namespace vostrel::detail
