#include "record_reader.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "field_values.h"
#include "record_watches.h"
#include "row_census.h"
#include "text_encoding.h"

namespace vostrel::detail {

namespace {

constexpr std::size_t kSeparatorHintCount = 3;

std::size_t countOf(std::string_view text, char wanted) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), wanted));
}

// A fault after which the fields that follow cannot be told apart.
bool breaksFieldGrammar(RefusalKind kind) {
    return kind == RefusalKind::UnclosedQuote || kind == RefusalKind::ClosingQuoteMissing ||
           kind == RefusalKind::TextAfterQuote || kind == RefusalKind::FieldTooLong;
}

class RecordReader {
public:
    RecordReader(ByteSource& in, int rowWidth) : fields_(in), rowWidth_(rowWidth) {}

    RecordsRead readAll(std::vector<ClassRecord>& records);

private:
    std::optional<Refusal> readClasses(std::vector<ClassRecord>& records);
    std::optional<Refusal> readRecord(bool& emptyRow);
    FieldStatus next();
    bool restOfRowEmpty();
    std::optional<Refusal> store(int fieldNumber);
    Refusal refusal(RefusalKind kind, std::int64_t line, int field, std::string found = {}) const;
    Refusal fieldRefusal(FieldStatus status) const;
    Refusal told(const Refusal& found) const;
    std::optional<char> separatorIn(std::string_view raw) const;
    std::optional<unsigned char> controlByteIn(std::string_view raw) const;
    void finishCensus();
    int sheetWidth(bool cutShort) const;

    FieldReader fields_;
    int rowWidth_;
    Field field_;
    ClassRecord record_;
    int classNumber_ = 0;
    int fieldsRead_ = 0;
    std::int64_t lastFieldLine_ = 0;
    std::int64_t recordLine_ = 0;  // where the class being read begins
    LineWatch lines_;
    PaddingWatch padding_;
    EncodingWatch encoding_;
    RowCensus census_;  // the whole file's rows, to explain a fault met in a class
};

RecordsRead RecordReader::readAll(std::vector<ClassRecord>& records) {
    RecordsRead read;
    const std::optional<Refusal> found = readClasses(records);
    if (found && found->place.classNumber > 0) {
        read.refusal = told(*found);
        if (!breaksFieldGrammar(found->kind) && !fields_.readFailed()) {
            finishCensus();
            read.refusal = census_.verdict(*found, std::move(*read.refusal));
        }
    } else if (found) {
        read.refusal = found;
    } else if (fields_.readFailed()) {
        read.refusal = Refusal{.kind = RefusalKind::Unreadable};
    } else {
        census_.noteEndOfData();
        read.refusal = padding_.verdict();
        if (!read.refusal) {
            read.refusal = encoding_.verdict();
        }
    }
    read.windows1252 = encoding_.windows1252();
    read.sheetWidth = sheetWidth(found && (found->kind == RefusalKind::DataEndsEarly ||
                                           found->kind == RefusalKind::BlankLineInClass));
    return read;
}

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

// The refusal to tell of a fault found in the class being read: a short line
// that explains it, or the fault with what else the class shows.
Refusal RecordReader::told(const Refusal& found) const {
    if (auto shortLine = lines_.verdict(found)) {
        return *shortLine;
    }
    Refusal told = found;
    // The field's own text counts where it is what the fault is about.
    const std::string_view raw =
        found.kind == RefusalKind::ControlCharacter ? std::string_view() : found.found;
    if (classNumber_ <= kMaxClasses) {
        told.separator = separatorIn(raw);
    }
    if (found.kind != RefusalKind::ControlCharacter) {
        told.controlByte = controlByteIn(raw);
    }
    told.beganMidLine = lines_.beganMidLine();
    return told;
}

// Spreadsheet programs in some languages separate fields with semicolons, and
// some export tabs; such a file fails somewhere odd, so say what it looks like.
std::optional<char> RecordReader::separatorIn(std::string_view raw) const {
    std::size_t semicolons = countOf(raw, ';');
    std::size_t tabs = countOf(raw, '\t');
    forEachText(record_, [&](std::string_view text) {
        semicolons += countOf(text, ';');
        tabs += countOf(text, '\t');
    });
    if (std::max(semicolons, tabs) < kSeparatorHintCount) {
        return std::nullopt;
    }
    return semicolons >= tabs ? ';' : '\t';
}

// A byte no text holds, in the class as far as it was read.
std::optional<unsigned char> RecordReader::controlByteIn(std::string_view raw) const {
    std::optional<unsigned char> found = firstControlByte(raw);
    if (!found) {
        found = firstControlByte(field_.text);
    }
    forEachText(record_, [&found](const std::string& text) {
        if (!found) {
            found = firstControlByte(text);
        }
    });
    return found;
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

// The width of the file's rows when they are all as wide as a spreadsheet writes
// a sheet without the last features, and a counted reading began classes in the
// middle of lines or ran out inside one (`cutShort`); else 0.
int RecordReader::sheetWidth(bool cutShort) const {
    constexpr int kFewestColumns = kFirstFeatureField - 1;
    const int width = census_.commonWidth();
    const bool spreadsheetRows = width >= kFewestColumns && width < kFieldCount;
    return rowWidth_ == 0 && census_.complete() && census_.rows() >= 2 && spreadsheetRows &&
                   (lines_.anyBeganMidLine() || cutShort)
               ? width
               : 0;
}

}  // namespace

RecordsRead readRecords(ByteSource& source, int rowWidth, std::vector<ClassRecord>& records) {
    return RecordReader(source, rowWidth).readAll(records);
}

}  // namespace vostrel::detail
