#include "class_file_reader.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <istream>
#include <new>
#include <utility>
#include <vector>

#include "byte_sources.h"
#include "field_reader.h"
#include "field_values.h"
#include "refusal_messages.h"
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

// Text holds no control bytes other than tabs and line ends.
std::optional<unsigned char> controlByte(std::string_view text) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && c != '\t' && c != '\r' && c != '\n') || byte == 0x7F) {
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
    RecordReader(detail::ByteSource& in, std::string_view source) : fields_(in), source_(source) {}

    std::optional<ReadError> readAll(std::vector<ClassRecord>& records);

    // Once the file is accepted: true when its texts are Windows-1252, not UTF-8.
    bool windows1252() const { return foreignByte_.has_value(); }

private:
    using Spot = detail::Place;

    std::optional<ReadError> readRecord();
    void noteLineEnd(int fieldNumber);
    void noteEncoding(int fieldNumber);
    std::optional<ReadError> checkPadding(bool padded, Spot spot, bool onOneLine);
    std::optional<ReadError> refuseField(FieldStatus status);
    ReadError refuseNumber(int fieldNumber) const;
    std::optional<ReadError> store(int fieldNumber);
    ReadError refuse(std::int64_t line, const std::string& what, std::string_view raw = {}) const;
    ReadError refuseShortLine() const;
    ReadError refusePadding() const;
    ReadError refuseMixedEncoding() const;
    std::string where(const Spot& spot) const;
    std::string separatorHint(std::string_view raw) const;
    std::string notTextHint(std::string_view raw) const;

    FieldReader fields_;
    std::string_view source_;
    Field field_;
    ClassRecord record_;
    int classNumber_ = 0;
    int fieldsRead_ = 0;
    std::int64_t lastFieldLine_ = 0;
    std::int64_t recordLine_ = 0;  // where the class being read begins
    bool beganMidLine_ = false;
    bool recordOnOneLine_ = true;
    // Classes from the first on that each fill one line: while there are some,
    // the file keeps one class per line, and the first class that runs on into
    // the next line is most likely short of a field.
    int oneLineClasses_ = 0;
    std::optional<Spot> shortLine_;
    int shortLineFields_ = 0;
    // Spreadsheet exports may end every row with one empty column too many.
    std::optional<Spot> firstPadded_;
    bool firstPaddedOnOneLine_ = false;
    std::optional<Spot> firstUnpadded_;
    // The first byte that is not UTF-8, and whether well-formed UTF-8 other
    // than ASCII occurs: both at once mean two encodings in one file.
    std::optional<Spot> foreignByte_;
    int foreignField_ = 0;
    unsigned char foreignValue_ = 0;
    bool multiByte_ = false;
};

std::optional<ReadError> RecordReader::readAll(std::vector<ClassRecord>& records) {
    bool more = fields_.skipToData();
    if (fields_.looksUtf16()) {
        return ReadError{detail::wideTextMessage(source_, 16)};
    }
    while (more) {
        ++classNumber_;
        fieldsRead_ = 0;
        record_ = ClassRecord{};
        recordLine_ = fields_.line();
        recordOnOneLine_ = true;
        if (classNumber_ > kMaxClasses) {
            return refuse(fields_.line(), detail::fortyFirstClassText());
        }
        if (auto error = readRecord()) {
            return error;
        }
        const std::int64_t endLine = fields_.line();
        const bool commaEnd = field_.end == FieldEnd::Comma;
        const bool onOneLine = recordOnOneLine_ && endLine == recordLine_;
        Spot spot{classNumber_, record_.name, endLine};
        records.push_back(std::move(record_));

        more = fields_.skipToData();
        const bool lineGoesOn = commaEnd && more && fields_.line() == endLine;
        beganMidLine_ = lineGoesOn;
        if (recordOnOneLine_ && !lineGoesOn && oneLineClasses_ == classNumber_ - 1) {
            ++oneLineClasses_;
        }
        if (auto error = checkPadding(commaEnd && !lineGoesOn, std::move(spot), onOneLine)) {
            return error;
        }
    }
    if (fields_.readFailed()) {
        return unreadable(source_);
    }
    if (foreignByte_ && multiByte_) {
        return refuseMixedEncoding();
    }
    return std::nullopt;
}

std::optional<ReadError> RecordReader::readRecord() {
    for (int fieldNumber = 1; fieldNumber <= kFieldCount; ++fieldNumber) {
        const FieldStatus status = fields_.read(field_);
        if (status != FieldStatus::Read) {
            return refuseField(status);
        }
        if (auto error = store(fieldNumber)) {
            return error;
        }
        fieldsRead_ = fieldNumber;
        lastFieldLine_ = field_.line;
        noteLineEnd(fieldNumber);
    }
    return std::nullopt;
}

void RecordReader::noteLineEnd(int fieldNumber) {
    if (field_.end != FieldEnd::LineEnd || fieldNumber == kFieldCount || !recordOnOneLine_) {
        return;
    }
    recordOnOneLine_ = false;
    // A line end inside a quoted text would make the count of the line's fields a guess.
    // The first class has no class before it to show one class per line, but a
    // first line that holds most of a class is short of a field, not the first
    // half of a class written over two lines.
    const bool oneClassPerLine =
        oneLineClasses_ >= 1 || (classNumber_ == 1 && fieldNumber > kFieldCount / 2);
    if (oneClassPerLine && oneLineClasses_ == classNumber_ - 1 && field_.line == recordLine_) {
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

std::optional<ReadError> RecordReader::checkPadding(bool padded, Spot spot, bool onOneLine) {
    std::optional<Spot>& first = padded ? firstPadded_ : firstUnpadded_;
    if (!first) {
        first = std::move(spot);
        firstPaddedOnOneLine_ = firstPaddedOnOneLine_ || (padded && onOneLine);
    }
    if (firstPadded_ && firstUnpadded_) {
        return refusePadding();
    }
    return std::nullopt;
}

std::optional<ReadError> RecordReader::store(int fieldNumber) {
    std::string& text = field_.text;
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

ReadError RecordReader::refuseNumber(int fieldNumber) const {
    if (shortLine_ && shortLine_->classNumber == classNumber_) {
        return refuseShortLine();
    }
    return refuse(field_.line, detail::numberText(fieldNumber, field_.text), field_.text);
}

std::optional<ReadError> RecordReader::refuseField(FieldStatus status) {
    const int field = fieldsRead_ + 1;
    switch (status) {
        case FieldStatus::EndOfData:
            return refuse(lastFieldLine_, detail::endsEarlyText(fieldsRead_));
        case FieldStatus::UnclosedQuote:
            return refuse(field_.line, detail::unclosedQuoteText(field), field_.text);
        case FieldStatus::TextAfterQuote: {
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
            return refuse(field_.line, detail::fieldTooLongText(field));
        default:
            return unreadable(source_);
    }
}

std::string RecordReader::where(const Spot& spot) const {
    return detail::placeText(source_, spot);
}

ReadError RecordReader::refuse(std::int64_t line, const std::string& what,
                               std::string_view raw) const {
    if (beganMidLine_ && shortLine_ && shortLine_->classNumber == classNumber_ - 1) {
        return refuseShortLine();
    }
    std::string message =
        where(Spot{classNumber_, fieldsRead_ >= 1 ? std::optional(record_.name) : std::nullopt,
                   line}) +
        ": " + what + ".";
    message += notTextHint(raw);
    if (classNumber_ <= kMaxClasses) {
        message += separatorHint(raw);
    }
    if (beganMidLine_) {
        message += detail::midLineText(classNumber_);
    }
    return ReadError{std::move(message)};
}

ReadError RecordReader::refuseShortLine() const {
    const Spot& spot = *shortLine_;
    return ReadError{where(spot) + ": " +
                     detail::shortLineText(spot.line, shortLineFields_, spot.classNumber)};
}

ReadError RecordReader::refusePadding() const {
    const Spot& padded = *firstPadded_;
    const std::string holds = firstPaddedOnOneLine_
                                  ? "line " + std::to_string(padded.line) + " holds"
                                  : "this class holds";
    return ReadError{where(padded) + ": " + detail::paddingText(holds, *firstUnpadded_)};
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
        RecordReader reader(limited, sourceName);
        if (auto error = reader.readAll(records)) {
            if (limited.tooLarge()) {
                return ReadError{detail::tooLargeStreamText(sourceName)};
            }
            return error;
        }
        // Texts stay bytes while reading: every byte the grammar looks at is ASCII,
        // so the encoding is settled once the whole file is known.
        const bool windows1252 = reader.windows1252();
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
