#include "class_file_reader.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <istream>
#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "byte_sources.h"
#include "field_reader.h"
#include "field_values.h"
#include "refusal_messages.h"
#include "row_census.h"
#include "text_encoding.h"

namespace vostrel {

namespace {

using detail::Field;
using detail::FieldEnd;
using detail::FieldReader;
using detail::FieldStatus;
using detail::fileName;
using detail::kFieldCount;
using detail::kFirstFeatureField;

constexpr std::int16_t kMaxHitDie = 20;
constexpr int kSeparatorHintCount = 3;

std::size_t countOf(std::string_view text, char wanted) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), wanted));
}

// Calls `visit` on every text of a record that comes from the file.
template <typename Record, typename Visit>
void forEachText(Record& record, Visit visit) {
    visit(record.name);
    visit(record.fortText);
    visit(record.refText);
    visit(record.willText);
    std::for_each(record.features.begin(), record.features.end(), visit);
}

std::optional<unsigned char> controlByte(std::string_view text) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (detail::isControlByte(byte)) {
            return byte;
        }
    }
    return std::nullopt;
}

// Line ends inside a quoted text, counted as the field reader counts them.
std::int64_t lineEndsIn(std::string_view text) {
    std::int64_t ends = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool crLf = text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n';
        ends += (text[i] == '\n' || (text[i] == '\r' && !crLf)) ? 1 : 0;
    }
    return ends;
}

ReadError unreadable(std::string_view source) {
    return ReadError{detail::unreadableText(source)};
}

// Reads the records of one file into a list of its own; the caller's table
// receives them only once the whole file has been accepted.
class RecordReader {
public:
    // With a `rowWidth`, each row of that many fields is one class whose missing
    // last features are empty; without, classes are counted field by field.
    RecordReader(detail::ByteSource& in, std::string_view source, int rowWidth = 0)
        : fields_(in), source_(source), rowWidth_(rowWidth) {}

    std::optional<ReadError> readAll(std::vector<ClassRecord>& records);

    // Once the file is accepted: true when its texts are Windows-1252, not UTF-8.
    bool windows1252() const { return foreignByte_.has_value(); }

    // After a counted reading that began classes in the middle of lines or ran
    // out inside one: the width of the file's rows when they are all as wide
    // as a spreadsheet writes a sheet without the last features, else 0.
    int rowWidth() const;

private:
    using Spot = detail::Place;

    std::optional<ReadError> readClasses(std::vector<ClassRecord>& records);
    std::optional<ReadError> readRecord();
    FieldStatus next();
    bool restOfRowEmpty();
    void noteLineEnd(int fieldNumber);
    void noteEncoding(int fieldNumber);
    void notePadding(bool padded, Spot spot, bool onOneLine);
    void finishCensus();
    ReadError explain(ReadError counted) const;
    std::optional<ReadError> store(int fieldNumber);
    std::optional<ReadError> refuseField(FieldStatus status);
    bool onShortLine() const;
    ReadError refuseNumber(int fieldNumber);
    ReadError refuseBlankLine(int fieldNumber);
    ReadError refuse(std::int64_t line, const std::string& what, std::string_view raw = {});
    ReadError refuseShortLine(bool blankLineFollows) const;
    ReadError refusePadding() const;
    ReadError refuseMixedEncoding() const;
    std::string where(const Spot& spot) const;
    std::string separatorHint(std::string_view raw) const;
    std::string notTextHint(std::string_view raw) const;

    FieldReader fields_;
    std::string_view source_;
    int rowWidth_;
    Field field_;
    ClassRecord record_;
    int classNumber_ = 0;
    int fieldsRead_ = 0;
    std::int64_t lastFieldLine_ = 0;
    std::int64_t recordLine_ = 0;  // where the class being read begins
    bool beganMidLine_ = false;
    bool everBeganMidLine_ = false;
    bool cutShort_ = false;  // the data or a blank line ended a class early
    bool emptyRow_ = false;
    bool recordOnOneLine_ = true;
    // Classes from the first on that each fill one line: while there are some,
    // the file keeps one class per line, and the first class that runs on into
    // the next line is most likely short of a field.
    int oneLineClasses_ = 0;
    std::optional<Spot> shortLine_;
    int shortLineFields_ = 0;
    // Spreadsheet exports may end every row with one empty column too many;
    // where only some classes do, the odd ones are the fewer.
    std::optional<Spot> firstPadded_;
    bool firstPaddedOnOneLine_ = false;
    std::optional<Spot> firstUnpadded_;
    bool firstUnpaddedOnOneLine_ = false;
    int padded_ = 0;
    int unpadded_ = 0;
    // The first byte that is not UTF-8, and whether well-formed UTF-8 other
    // than ASCII occurs: both at once mean two encodings in one file.
    std::optional<Spot> foreignByte_;
    int foreignField_ = 0;
    unsigned char foreignValue_ = 0;
    bool multiByte_ = false;
    // The whole file's rows, to explain a refusal the counted reading met.
    detail::RowCensus census_;
    bool censusComplete_ = false;
    bool censusBroken_ = false;
    int refusedClass_ = 0;
    std::int64_t refusedLine_ = 0;
    bool decimalComma_ = false;
    bool controlRefused_ = false;
};

std::optional<ReadError> RecordReader::readAll(std::vector<ClassRecord>& records) {
    auto error = readClasses(records);
    if (error && !censusComplete_ && !censusBroken_ && !fields_.readFailed() && refusedClass_ > 0) {
        finishCensus();
        return explain(std::move(*error));
    }
    return error;
}

std::optional<ReadError> RecordReader::readClasses(std::vector<ClassRecord>& records) {
    bool more = fields_.skipToData();
    if (const int bits = fields_.wideTextBits(); bits != 0) {
        return ReadError{detail::wideTextMessage(source_, bits)};
    }
    while (more) {
        ++classNumber_;
        fieldsRead_ = 0;
        record_ = ClassRecord{};
        recordLine_ = fields_.line();
        recordOnOneLine_ = true;
        if (auto error = readRecord()) {
            return error;
        }
        if (std::exchange(emptyRow_, false)) {
            --classNumber_;
            more = fields_.skipToData();
            continue;
        }
        const std::int64_t endLine = fields_.line();
        const bool commaEnd = field_.end == FieldEnd::Comma;
        const std::int64_t lastLine = field_.end == FieldEnd::LineEnd ? endLine - 1 : endLine;
        const bool onOneLine = recordOnOneLine_ && lastLine == recordLine_;
        Spot spot{classNumber_, record_.name, lastLine};
        records.push_back(std::move(record_));

        more = fields_.skipToData();
        const bool lineGoesOn = commaEnd && more && fields_.line() == endLine;
        beganMidLine_ = lineGoesOn;
        everBeganMidLine_ = everBeganMidLine_ || lineGoesOn;
        if (commaEnd && !lineGoesOn) {
            census_.addTrailingEmptyField(endLine);
        }
        if (recordOnOneLine_ && !lineGoesOn && oneLineClasses_ == classNumber_ - 1) {
            ++oneLineClasses_;
        }
        notePadding(commaEnd && !lineGoesOn, std::move(spot), onOneLine);
    }
    censusComplete_ = !fields_.readFailed();
    if (fields_.readFailed()) {
        return unreadable(source_);
    }
    if (padded_ > 0 && unpadded_ > 0) {
        return refusePadding();
    }
    if (foreignByte_ && multiByte_) {
        return refuseMixedEncoding();
    }
    return std::nullopt;
}

std::optional<ReadError> RecordReader::readRecord() {
    bool mayBeEmptyRow = false;
    for (int fieldNumber = 1; fieldNumber <= kFieldCount; ++fieldNumber) {
        const FieldStatus status = next();
        if (status != FieldStatus::Read) {
            return refuseField(status);
        }
        if (fieldNumber > 1 && field_.isBlankLine()) {
            return refuseBlankLine(fieldNumber);
        }
        // Spreadsheets export a row that once held something as a line of commas.
        if (fieldNumber == 1) {
            mayBeEmptyRow = field_.lineStart && field_.isEmpty() && field_.end == FieldEnd::Comma;
        } else if (fieldNumber == 2 && mayBeEmptyRow && field_.isEmpty()) {
            if (restOfRowEmpty()) {
                emptyRow_ = true;
                return std::nullopt;
            }
            field_.text.clear();
        }
        if (fieldNumber == (mayBeEmptyRow ? 2 : 1) && classNumber_ > kMaxClasses) {
            return refuse(recordLine_, detail::fortyFirstClassText());
        }
        if (auto error = store(fieldNumber)) {
            return error;
        }
        fieldsRead_ = fieldNumber;
        lastFieldLine_ = field_.line;
        noteLineEnd(fieldNumber);
        if (rowWidth_ != 0 && field_.end != FieldEnd::Comma) {
            break;
        }
    }
    return std::nullopt;
}

FieldStatus RecordReader::next() {
    const FieldStatus status = fields_.read(field_);
    if (status == FieldStatus::Read) {
        census_.add(field_);
    }
    return status;
}

// After two empty fields at the start of a line: reads on to the line's end.
bool RecordReader::restOfRowEmpty() {
    while (field_.end == FieldEnd::Comma) {
        if (next() != FieldStatus::Read || !field_.isEmpty()) {
            return false;
        }
    }
    return true;
}

void RecordReader::noteLineEnd(int fieldNumber) {
    if (field_.end != FieldEnd::LineEnd || fieldNumber == kFieldCount || !recordOnOneLine_) {
        return;
    }
    recordOnOneLine_ = false;
    // A line end inside a quoted text would make the count of the line's fields a guess.
    // The first class has no class before it to show one class per line; it is
    // taken as short only once the class after it begins in the middle of a line.
    if (oneLineClasses_ == classNumber_ - 1 && field_.line == recordLine_) {
        shortLine_ = Spot{classNumber_, record_.name, recordLine_};
        shortLineFields_ = fieldNumber;
    }
}

void RecordReader::noteEncoding(int fieldNumber) {
    if (multiByte_ && foreignByte_) {
        return;
    }
    const std::string& text = field_.text;
    const detail::Utf8Scan scan = detail::scanUtf8(text);
    multiByte_ = multiByte_ || scan.multiByte;
    if (scan.firstInvalid == std::string::npos || foreignByte_) {
        return;
    }
    const std::int64_t line =
        field_.line + lineEndsIn(std::string_view(text).substr(0, scan.firstInvalid));
    foreignByte_ =
        Spot{classNumber_, fieldNumber > 1 ? std::optional(record_.name) : std::nullopt, line};
    foreignField_ = fieldNumber;
    foreignValue_ = static_cast<unsigned char>(text[scan.firstInvalid]);
}

void RecordReader::notePadding(bool padded, Spot spot, bool onOneLine) {
    ++(padded ? padded_ : unpadded_);
    std::optional<Spot>& first = padded ? firstPadded_ : firstUnpadded_;
    if (!first) {
        first = std::move(spot);
        (padded ? firstPaddedOnOneLine_ : firstUnpaddedOnOneLine_) = onOneLine;
    }
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
    censusComplete_ = !fields_.readFailed();
}

int RecordReader::rowWidth() const {
    constexpr int kFewestColumns = kFirstFeatureField - 1;
    const int width = census_.commonWidth();
    const bool spreadsheetRows = width >= kFewestColumns && width < kFieldCount;
    return rowWidth_ == 0 && censusComplete_ && census_.rows() >= 2 && spreadsheetRows &&
                   (everBeganMidLine_ || cutShort_)
               ? width
               : 0;
}

// What the whole file shows may say better than the counted reading why it failed.
ReadError RecordReader::explain(ReadError counted) const {
    if (!censusComplete_) {
        return counted;
    }
    if (const auto& header = census_.header(); header && refusedClass_ == 1) {
        return ReadError{detail::fileName(source_) + ", line " + std::to_string(header->line) +
                         ": " + detail::headerRowText(header->hitDie, header->skillPoints)};
    }
    if (const auto row = census_.longRow(); row && row->line <= refusedLine_) {
        return ReadError{where(Spot{static_cast<int>(row->row), row->name, row->line}) + ": " +
                         detail::longRowText(row->line, row->width, row->extra, row->everyRow)};
    }
    if (decimalComma_ && census_.foreignTrue()) {
        counted.message += detail::foreignTrueText(*census_.foreignTrue());
    }
    return counted;
}

std::optional<ReadError> RecordReader::store(int fieldNumber) {
    std::string& text = field_.text;
    if (const auto control = detail::controlCharacter(text)) {
        controlRefused_ = true;
        return refuse(field_.line, detail::controlCharacterText(fieldNumber, text, *control));
    }
    if (fieldNumber == 2 || fieldNumber == 3) {
        const auto number = detail::parseWholeNumber(text);
        const bool fits = number && (fieldNumber == 3 || (*number >= 0 && *number <= kMaxHitDie));
        if (!fits) {
            return refuseNumber(fieldNumber);
        }
        (fieldNumber == 2 ? record_.hitDie : record_.skillPoints) = *number;
    } else if (fieldNumber == 4) {
        const auto rate = detail::parseAttackRate(text);
        if (!rate) {
            decimalComma_ = text.find(',') != std::string::npos;
            return refuseNumber(fieldNumber);
        }
        record_.babRate = *rate;
    } else {
        noteEncoding(fieldNumber);
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

// True when the class being read began on a line too short for it, in a file
// that keeps one class per line (or on a first line that holds most of a class).
bool RecordReader::onShortLine() const {
    return shortLine_ && shortLine_->classNumber == classNumber_ &&
           (oneLineClasses_ >= 1 || shortLineFields_ > kFieldCount / 2);
}

ReadError RecordReader::refuseNumber(int fieldNumber) {
    if (onShortLine()) {
        refusedClass_ = classNumber_;
        return refuseShortLine(false);
    }
    return refuse(field_.line, detail::numberText(fieldNumber, field_.text), field_.text);
}

// A blank line never stands for a field: the class before it is short.
ReadError RecordReader::refuseBlankLine(int fieldNumber) {
    cutShort_ = true;
    if (onShortLine()) {
        refusedClass_ = classNumber_;
        refusedLine_ = field_.line;
        return refuseShortLine(true);
    }
    return refuse(field_.line, detail::blankLineText(field_.line, fieldNumber));
}

std::optional<ReadError> RecordReader::refuseField(FieldStatus status) {
    const int field = fieldsRead_ + 1;
    switch (status) {
        case FieldStatus::EndOfData:
            cutShort_ = true;
            return refuse(lastFieldLine_, detail::endsEarlyText(fieldsRead_));
        case FieldStatus::UnclosedQuote:
            censusBroken_ = true;
            return refuse(field_.line, detail::unclosedQuoteText(field), field_.text);
        case FieldStatus::TextAfterQuote: {
            censusBroken_ = true;
            // A quoted text that ran over a line end into what looks like more
            // fields most likely lacks its own closing quote, and took another
            // field's opening quote for it.
            const std::string& quoted = field_.text;
            const auto lineEnd = quoted.find_first_of("\r\n");
            if (lineEnd != std::string::npos &&
                (quoted.find(',', lineEnd) != std::string::npos ||
                 quoted.find_first_not_of(" \t\r\n", lineEnd) == std::string::npos)) {
                return refuse(
                    field_.line,
                    detail::closingQuoteMissingText(field, fields_.line(), fields_.strayText()),
                    fields_.strayText());
            }
            return refuse(fields_.line(), detail::textAfterQuoteText(field, fields_.strayText()),
                          fields_.strayText());
        }
        case FieldStatus::TooLong:
            censusBroken_ = true;
            return refuse(field_.line, detail::fieldTooLongText(field));
        default:
            censusBroken_ = true;
            return unreadable(source_);
    }
}

std::string RecordReader::where(const Spot& spot) const {
    return detail::placeText(source_, spot);
}

ReadError RecordReader::refuse(std::int64_t line, const std::string& what, std::string_view raw) {
    refusedClass_ = classNumber_;
    refusedLine_ = line;
    if (beganMidLine_ && shortLine_ && shortLine_->classNumber == classNumber_ - 1) {
        return refuseShortLine(false);
    }
    std::string message =
        where(Spot{classNumber_, fieldsRead_ >= 1 ? std::optional(record_.name) : std::nullopt,
                   line}) +
        ": ";
    const std::string hint = classNumber_ <= kMaxClasses ? separatorHint(raw) : std::string();
    message += hint.empty() ? what + "." : hint + " Reading stopped where " + what + ".";
    message += controlRefused_ ? std::string() : notTextHint(raw);
    if (beganMidLine_) {
        message += detail::midLineText(classNumber_);
    }
    return ReadError{std::move(message)};
}

ReadError RecordReader::refuseShortLine(bool blankLineFollows) const {
    const Spot& spot = *shortLine_;
    return ReadError{
        where(spot) + ": " +
        detail::shortLineText(spot.line, shortLineFields_, spot.classNumber, !blankLineFollows)};
}

ReadError RecordReader::refusePadding() const {
    const bool paddedOdd = padded_ <= unpadded_;
    const Spot& odd = paddedOdd ? *firstPadded_ : *firstUnpadded_;
    const bool onOneLine = paddedOdd ? firstPaddedOnOneLine_ : firstUnpaddedOnOneLine_;
    const std::string holds =
        onOneLine ? "line " + std::to_string(odd.line) + " holds" : "this class holds";
    return ReadError{where(odd) + ": " +
                     (paddedOdd ? detail::paddingText(holds, *firstUnpadded_)
                                : detail::unpaddedText(holds, *firstPadded_, padded_))};
}

ReadError RecordReader::refuseMixedEncoding() const {
    return ReadError{where(*foreignByte_) + ": " +
                     detail::mixedEncodingText(foreignField_, foreignValue_)};
}

std::string RecordReader::notTextHint(std::string_view raw) const {
    std::optional<unsigned char> found = controlByte(raw);
    if (!found) {
        found = controlByte(field_.text);
    }
    forEachText(record_, [&found](const std::string& text) {
        if (!found) {
            found = controlByte(text);
        }
    });
    if (!found) {
        return {};
    }
    return detail::notTextHintText(*found);
}

// Spreadsheet programs in some languages separate fields with semicolons, and
// some export tabs; such a file fails somewhere odd, so say what it looks like.
std::string RecordReader::separatorHint(std::string_view raw) const {
    std::size_t semicolons = countOf(raw, ';');
    std::size_t tabs = countOf(raw, '\t');
    auto add = [&](std::string_view text) {
        semicolons += countOf(text, ';');
        tabs += countOf(text, '\t');
    };
    forEachText(record_, add);
    const std::size_t most = std::max(semicolons, tabs);
    if (most < kSeparatorHintCount) {
        return {};
    }
    return detail::separatorHintText(semicolons >= tabs);
}

std::optional<ReadError> outOfMemory(std::string_view source, ClassTable& table) {
    table = ClassTable{};
    return ReadError{detail::outOfMemoryText(source)};
}

std::optional<ReadError> readFrom(detail::ByteSource& source, std::string_view sourceName,
                                  ClassTable& table) {
    table = ClassTable{};
    try {
        std::vector<ClassRecord> records;
        detail::LimitedSource limited(source);
        auto reader = std::make_unique<RecordReader>(limited, sourceName);
        auto error = reader->readAll(records);
        // A sheet whose rows stop short of level 20 is read again, a row to a class.
        if (const int width = reader->rowWidth(); width != 0 && limited.rewind()) {
            records.clear();
            reader = std::make_unique<RecordReader>(limited, sourceName, width);
            error = reader->readAll(records);
        }
        if (error) {
            if (limited.tooLarge()) {
                return ReadError{detail::tooLargeStreamText(sourceName)};
            }
            return error;
        }
        // Texts stay bytes while reading: every byte the grammar looks at is ASCII,
        // so the encoding is settled once the whole file is known.
        const bool windows1252 = reader->windows1252();
        ClassTable loaded;
        for (ClassRecord& record : records) {
            if (windows1252) {
                forEachText(record,
                            [](std::string& text) { text = detail::windows1252ToUtf8(text); });
            }
            loaded.appendRecord(std::move(record));
        }
        table = std::move(loaded);
        return std::nullopt;
    } catch (const std::bad_alloc&) {
        return outOfMemory(sourceName, table);
    } catch (const std::exception&) {
        // Only a stream set to throw on failure gets here.
        table = ClassTable{};
        return unreadable(sourceName);
    }
}

}  // namespace

std::optional<ReadError> readClassData(std::istream& in, std::string_view sourceName,
                                       ClassTable& table) {
    detail::StreamSource source(in);
    return readFrom(source, sourceName, table);
}

std::optional<ReadError> readClassFile(const std::filesystem::path& path, ClassTable& table) {
    table = ClassTable{};
    try {
        const std::string name = path.string();
        detail::OpenedFile opened = detail::openClassFile(name);
        if (opened.file == nullptr) {
            return ReadError{fileName(name) + opened.refusal};
        }
        detail::FileSource source(opened.file);
        auto error = readFrom(source, name, table);
        if (error && source.failed()) {
            // A failing disk: say what the system reported.
            error->message =
                fileName(name) + " cannot be read: " + detail::systemReason(source.error()) + ".";
        }
        return error;
    } catch (const std::bad_alloc&) {
        return outOfMemory({}, table);
    }
}

std::optional<ReadError> loadClassData(const std::filesystem::path& path, ClassTable& table) {
    auto error = readClassFile(path, table);
    if (!error) {
        table.deriveGoodSaves();
    }
    return error;
}

}  // namespace vostrel
