#include "class_file_reader.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <istream>
#include <new>
#include <system_error>
#include <utility>
#include <vector>

#include "field_reader.h"
#include "field_values.h"
#include "text_encoding.h"

namespace vostrel {

namespace {

using detail::Field;
using detail::FieldEnd;
using detail::FieldReader;
using detail::FieldStatus;

constexpr int kFieldCount = 27;
constexpr int kFirstFeatureField = 8;  // fields 8..27 are the features of levels 1..20
constexpr std::int16_t kMaxHitDie = 20;
constexpr std::size_t kShownCharacters = 40;
constexpr int kSeparatorHintCount = 3;

std::string fieldMeaning(int field) {
    static constexpr std::array<std::string_view, kFirstFeatureField - 1> kNames{
        "name",           "hit die",     "skill points", "attack rate",
        "Fortitude save", "Reflex save", "Will save"};
    if (field >= 1 && field < kFirstFeatureField) {
        return std::string(kNames[static_cast<std::size_t>(field - 1)]);
    }
    return "level " + std::to_string(field - kFirstFeatureField + 1) + " feature";
}

// A text as it may appear in a message: in quotes, readable whatever its
// encoding, control characters made visible, and cut short unless it is the file's name.
std::string shown(std::string_view raw, std::size_t limit = kShownCharacters) {
    const std::string text =
        detail::isValidUtf8(raw) ? std::string(raw) : detail::windows1252ToUtf8(raw);
    std::string out = "\"";
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool continuation = (static_cast<unsigned char>(c) & 0xC0) == 0x80;
        if (!continuation && characters++ == limit) {
            out += "...";
            break;
        }
        if (c == '\t') {
            out += "<tab>";
        } else if (c == '\0') {
            out += "<NUL>";
        } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            out += ' ';
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string fileName(std::string_view source) {
    return shown(source, std::string_view::npos);
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

bool allUtf8(const std::vector<ClassRecord>& records) {
    bool valid = true;
    for (const ClassRecord& record : records) {
        forEachText(record, [&valid](const std::string& text) {
            valid = valid && detail::isValidUtf8(text);
        });
    }
    return valid;
}

ReadError unreadable(std::string_view source) {
    return ReadError{fileName(source) + ": the file could not be read to its end."};
}

// Reads the records of one file into a list of its own; the caller's table
// receives them only once the whole file has been accepted.
class RecordReader {
public:
    RecordReader(detail::ByteSource& in, std::string_view source) : fields_(in), source_(source) {}

    std::optional<ReadError> readAll(std::vector<ClassRecord>& records);

private:
    std::optional<ReadError> readRecord();
    std::optional<ReadError> refuseField(FieldStatus status);
    ReadError refuseNumber(int fieldNumber) const;
    std::optional<ReadError> store(int fieldNumber);
    ReadError refuse(std::int64_t line, const std::string& what, std::string_view raw = {}) const;
    std::string separatorHint(std::string_view raw) const;

    FieldReader fields_;
    std::string_view source_;
    Field field_;
    ClassRecord record_;
    int classNumber_ = 0;
    int fieldsRead_ = 0;
    std::int64_t lastFieldLine_ = 0;
    bool beganMidLine_ = false;
};

std::optional<ReadError> RecordReader::readAll(std::vector<ClassRecord>& records) {
    std::int64_t lastRecordLine = 0;
    bool lastRecordEndedWithComma = false;
    while (fields_.skipToData()) {
        ++classNumber_;
        fieldsRead_ = 0;
        record_ = ClassRecord{};
        if (classNumber_ > kMaxClasses) {
            return refuse(fields_.line(),
                          "a 41st class begins here, but a class data file may hold at most 40 "
                          "classes");
        }
        beganMidLine_ = lastRecordEndedWithComma && fields_.line() == lastRecordLine;
        if (auto error = readRecord()) {
            return error;
        }
        lastRecordLine = fields_.line();
        lastRecordEndedWithComma = field_.end == FieldEnd::Comma;
        records.push_back(std::move(record_));
    }
    if (fields_.readFailed()) {
        return unreadable(source_);
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
    const std::string& text = field_.text;
    return refuse(field_.line,
                  "the " + fieldMeaning(fieldNumber) + " field " +
                      (text.empty() ? "is empty" : "holds " + shown(text)) +
                      ", but it should hold " + expectedValue(fieldNumber),
                  text);
}

std::optional<ReadError> RecordReader::refuseField(FieldStatus status) {
    const std::string meaning = fieldMeaning(fieldsRead_ + 1);
    switch (status) {
        case FieldStatus::EndOfData:
            return refuse(lastFieldLine_, "the file ends after " + std::to_string(fieldsRead_) +
                                              " of the 27 fields of this class; the " + meaning +
                                              " and every field after it are missing");
        case FieldStatus::UnclosedQuote:
            return refuse(field_.line,
                          "the " + meaning +
                              " field opens a double quote that never closes, so the rest "
                              "of the file would belong to it",
                          field_.text);
        case FieldStatus::TextAfterQuote:
            return refuse(fields_.line(),
                          "found " + shown(fields_.strayText()) +
                              " after the closing quote of the " + meaning +
                              " field, where only a comma or the end of the line may "
                              "follow (to put a double quote inside a quoted text, write it "
                              "twice: \"\")",
                          fields_.strayText());
        case FieldStatus::TooLong: {
            std::string what = "the " + meaning +
                               " field is longer than 65,536 bytes, the most a "
                               "field may hold";
            if (field_.text.find('\0') != std::string::npos) {
                what += "; the file holds NUL bytes, so it is probably not a text file at all";
            }
            return refuse(field_.line, what);
        }
        default:
            return unreadable(source_);
    }
}

ReadError RecordReader::refuse(std::int64_t line, const std::string& what,
                               std::string_view raw) const {
    std::string message = fileName(source_) + ", line " + std::to_string(line) + ", class " +
                          std::to_string(classNumber_);
    if (fieldsRead_ >= 1) {
        message += " (" + shown(record_.name) + ")";
    }
    message += ": " + what + ".";
    if (classNumber_ <= kMaxClasses) {
        message += separatorHint(raw);
    }
    if (beganMidLine_) {
        message += " Class " + std::to_string(classNumber_) +
                   " begins in the middle of a line, right after the last field of class " +
                   std::to_string(classNumber_ - 1) +
                   ": check that every class before it has exactly 27 fields.";
    }
    return ReadError{std::move(message)};
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
    return std::string(" This file seems to separate its fields with ") +
           (semicolons >= tabs ? "semicolons" : "tabs") +
           ", but a class data file separates them with commas (a spreadsheet program can save "
           "it as comma-separated values).";
}

std::optional<ReadError> outOfMemory(std::string_view source, ClassTable& table) {
    table = ClassTable{};
    return ReadError{fileName(source) + ": there is not enough memory to read this file."};
}

class StreamSource final : public detail::ByteSource {
public:
    explicit StreamSource(std::istream& in) : in_(in) {}

    std::size_t read(char* into, std::size_t size) override {
        in_.read(into, static_cast<std::streamsize>(size));
        const std::streamsize got = in_.gcount();
        return in_.bad() || got <= 0 ? 0 : static_cast<std::size_t>(got);
    }
    bool failed() const override { return in_.bad(); }

private:
    std::istream& in_;
};

// Files are read through C's stdio rather than a file stream: a file stream
// brings up the whole iostream locale machinery, a noticeable share of the
// window's start-up memory for one small file.
class FileSource final : public detail::ByteSource {
public:
    explicit FileSource(std::FILE* file) : file_(file) {}
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;
    ~FileSource() override { std::fclose(file_); }

    std::size_t read(char* into, std::size_t size) override {
        if (error_ != 0) {
            return 0;
        }
        errno = 0;
        const std::size_t got = std::fread(into, 1, size, file_);
        if (got < size && std::ferror(file_) != 0) {
            error_ = errno != 0 ? errno : EIO;
            return 0;
        }
        return got;
    }
    bool failed() const override { return error_ != 0; }
    int error() const { return error_; }

private:
    std::FILE* file_;
    int error_ = 0;
};

std::optional<ReadError> readFrom(detail::ByteSource& source, std::string_view sourceName,
                                  ClassTable& table) {
    table = ClassTable{};
    try {
        std::vector<ClassRecord> records;
        RecordReader reader(source, sourceName);
        if (auto error = reader.readAll(records)) {
            return error;
        }
        // Texts stay bytes while reading: every byte the grammar looks at is ASCII,
        // so the encoding is settled once the whole file is known.
        const bool utf8 = allUtf8(records);
        ClassTable loaded;
        for (ClassRecord& record : records) {
            if (!utf8) {
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

std::string systemReason(int error) {
    return std::generic_category().message(error);
}

}  // namespace

std::optional<ReadError> readClassData(std::istream& in, std::string_view sourceName,
                                       ClassTable& table) {
    StreamSource source(in);
    return readFrom(source, sourceName, table);
}

std::optional<ReadError> readClassFile(const std::filesystem::path& path, ClassTable& table) {
    table = ClassTable{};
    try {
        const std::string name = path.string();
        errno = 0;
        std::FILE* file = std::fopen(name.c_str(), "rb");
        if (file == nullptr) {
            return ReadError{fileName(name) +
                             " cannot be opened: " + systemReason(errno != 0 ? errno : EIO) + "."};
        }
        FileSource source(file);
        auto error = readFrom(source, name, table);
        if (error && source.failed()) {
            // A folder opens like a file here and fails only when read.
            error->message =
                fileName(name) + " cannot be read: " + systemReason(source.error()) + ".";
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
