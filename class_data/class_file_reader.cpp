#include "class_file_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

std::string hexByte(unsigned char byte) {
    static constexpr std::string_view kDigits = "0123456789ABCDEF";
    return std::string("0x") + kDigits[byte >> 4] + kDigits[byte & 0xF];
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
    std::string exact = std::to_string(bytes);
    for (auto at = exact.size(); at > 3; at -= 3) {
        exact.insert(at - 3, ",");
    }
    return std::to_string(whole) + "." + std::to_string(tenths) +
           (unit == kGiB ? " GiB (" : " MiB (") + exact + " bytes)";
}

constexpr std::string_view kFarSmaller =
    "a class data file is far smaller (one of 40 classes takes a few hundred KB), and no file "
    "above 16 MiB is read";

ReadError unreadable(std::string_view source) {
    return ReadError{fileName(source) + ": the file could not be read to its end."};
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
    // A place in the file as a message names it.
    struct Spot {
        int classNumber = 0;
        std::optional<std::string> name;
        std::int64_t line = 0;
    };

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
        return ReadError{fileName(source_) +
                         ", line 1: this file is UTF-16 text (it begins with a UTF-16 byte-order "
                         "mark or has NUL bytes between its characters), which this program does "
                         "not read. Save it again as UTF-8 text or as CSV (comma-separated "
                         "values)."};
    }
    while (more) {
        ++classNumber_;
        fieldsRead_ = 0;
        record_ = ClassRecord{};
        recordLine_ = fields_.line();
        recordOnOneLine_ = true;
        if (classNumber_ > kMaxClasses) {
            return refuse(fields_.line(),
                          "a 41st class begins here, but a class data file may hold at most 40 "
                          "classes");
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
        case FieldStatus::TextAfterQuote: {
            // A quoted text that ran over a line end into what looks like more
            // fields most likely lacks its own closing quote, and took another
            // field's opening quote for it.
            const std::string& quoted = field_.text;
            const auto lineEnd = quoted.find_first_of("\r\n");
            if (lineEnd != std::string::npos &&
                (quoted.find(',', lineEnd) != std::string::npos ||
                 quoted.find_first_not_of(" \t\r\n", lineEnd) == std::string::npos)) {
                return refuse(field_.line,
                              "the " + meaning +
                                  " field opens a double quote here, and its closing quote may "
                                  "be missing: the next double quote comes only on line " +
                                  std::to_string(fields_.line()) + ", followed by " +
                                  shown(fields_.strayText()) +
                                  ", so the fields in between would all belong to this one",
                              fields_.strayText());
            }
            return refuse(fields_.line(),
                          "found " + shown(fields_.strayText()) +
                              " after the closing quote of the " + meaning +
                              " field, where only a comma or the end of the line may "
                              "follow (to put a double quote inside a quoted text, write it "
                              "twice: \"\")",
                          fields_.strayText());
        }
        case FieldStatus::TooLong:
            return refuse(field_.line, "the " + meaning +
                                           " field is longer than 65,536 bytes, the most a "
                                           "field may hold");
        default:
            return unreadable(source_);
    }
}

std::string RecordReader::where(const Spot& spot) const {
    std::string text = fileName(source_) + ", line " + std::to_string(spot.line) + ", class " +
                       std::to_string(spot.classNumber);
    if (spot.name) {
        text += " (" + shown(*spot.name) + ")";
    }
    return text;
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
        message += " Class " + std::to_string(classNumber_) +
                   " begins in the middle of a line, right after the last field of class " +
                   std::to_string(classNumber_ - 1) +
                   ": check that every class before it has exactly 27 fields.";
    }
    return ReadError{std::move(message)};
}

ReadError RecordReader::refuseShortLine() const {
    const Spot& spot = *shortLine_;
    const std::string line = std::to_string(spot.line);
    const std::string number = std::to_string(spot.classNumber);
    return ReadError{where(spot) + ": line " + line + " holds " + std::to_string(shortLineFields_) +
                     (shortLineFields_ == 1 ? " field" : " fields") + "; a class needs 27. Class " +
                     number +
                     " therefore takes its missing fields from the next line, and every class "
                     "after it is shifted: check line " +
                     line + " for a missing comma."};
}

ReadError RecordReader::refusePadding() const {
    const Spot& padded = *firstPadded_;
    const Spot& other = *firstUnpadded_;
    std::string holds = firstPaddedOnOneLine_ ? "line " + std::to_string(padded.line) + " holds"
                                              : "this class holds";
    std::string otherName = "class " + std::to_string(other.classNumber);
    if (other.name) {
        otherName += " (" + shown(*other.name) + ")";
    }
    return ReadError{
        where(padded) + ": " + holds +
        " 28 fields where a class has 27: its level 20 feature is followed by one more comma and "
        "nothing after it, while " +
        otherName +
        " ends with its level 20 feature. A comma inside a text that is not in double quotes "
        "(Bonus Feat, Evasion) or a decimal comma (0,75 for 0.75) splits one field in two and "
        "moves every field after it one place on: put such a text in double quotes, and write "
        "numbers with a point."};
}

ReadError RecordReader::refuseMixedEncoding() const {
    return ReadError{where(*foreignByte_) + ": the " + fieldMeaning(foreignField_) +
                     " field holds the byte " + hexByte(foreignValue_) +
                     ", which is no part of any UTF-8 character, while other texts of the file "
                     "are UTF-8: the file mixes two encodings. Save it again as UTF-8."};
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
    return " The file holds " +
           (*found == 0 ? std::string("NUL bytes") : "control bytes such as " + hexByte(*found)) +
           ", so it is probably not a text file at all.";
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

// Counts what comes from a source whose size was not known beforehand, and
// ends the data once it passes the largest size read.
class LimitedSource final : public detail::ByteSource {
public:
    explicit LimitedSource(detail::ByteSource& inner) : inner_(inner) {}

    std::size_t read(char* into, std::size_t size) override {
        if (tooLarge_) {
            return 0;
        }
        const std::size_t got = inner_.read(into, size);
        total_ += got;
        tooLarge_ = total_ > kMaxClassFileBytes;
        return tooLarge_ ? 0 : got;
    }
    bool failed() const override { return tooLarge_ || inner_.failed(); }
    bool tooLarge() const { return tooLarge_; }

private:
    detail::ByteSource& inner_;
    std::uintmax_t total_ = 0;
    bool tooLarge_ = false;
};

std::optional<ReadError> readFrom(detail::ByteSource& source, std::string_view sourceName,
                                  ClassTable& table) {
    table = ClassTable{};
    try {
        std::vector<ClassRecord> records;
        LimitedSource limited(source);
        RecordReader reader(limited, sourceName);
        if (auto error = reader.readAll(records)) {
            if (limited.tooLarge()) {
                return ReadError{fileName(sourceName) + " holds more than 16 MiB; " +
                                 std::string(kFarSmaller) + "."};
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

std::string systemReason(int error) {
    return std::generic_category().message(error);
}

std::string fileKind(mode_t mode) {
    if (S_ISFIFO(mode)) {
        return "a named pipe (FIFO)";
    }
    if (S_ISSOCK(mode)) {
        return "a socket";
    }
    if (S_ISCHR(mode) || S_ISBLK(mode)) {
        return "a device";
    }
    return "no regular file";
}

std::string notAFile(mode_t mode) {
    return " is " + fileKind(mode) +
           ", not a file of data: a class data file is an ordinary file saved on disk.";
}

struct OpenedFile {
    std::FILE* file = nullptr;
    std::optional<ReadError> error;
};

// The one place that asks the system about the file. It is opened without
// blocking, so that a FIFO with no writer or a device answers at once, and only
// a regular file of a plausible size goes on to be read.
OpenedFile openClassFile(const std::string& name) {
    errno = 0;
    const int descriptor = ::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat info {};
    if (descriptor < 0) {
        const int reason = errno != 0 ? errno : EIO;
        // A socket cannot be opened at all, and the system's reason for it
        // ("No such device or address") would only puzzle.
        if (::stat(name.c_str(), &info) == 0 && S_ISSOCK(info.st_mode)) {
            return {nullptr, ReadError{fileName(name) + notAFile(info.st_mode)}};
        }
        return {nullptr,
                ReadError{fileName(name) + " cannot be opened: " + systemReason(reason) + "."}};
    }
    std::string refusal;
    if (::fstat(descriptor, &info) != 0) {
        refusal = " cannot be read: " + systemReason(errno) + ".";
    } else if (S_ISDIR(info.st_mode)) {
        refusal = " cannot be read: " + systemReason(EISDIR) + ".";
    } else if (!S_ISREG(info.st_mode)) {
        refusal = notAFile(info.st_mode);
    } else if (const auto size = static_cast<std::uintmax_t>(info.st_size);
               size > kMaxClassFileBytes) {
        refusal = " is " + sizeText(size) + "; " + std::string(kFarSmaller) + ".";
    } else if (std::FILE* file = ::fdopen(descriptor, "rb")) {
        return {file, std::nullopt};
    } else {
        refusal = " cannot be read: " + systemReason(errno != 0 ? errno : EIO) + ".";
    }
    ::close(descriptor);
    return {nullptr, ReadError{fileName(name) + refusal}};
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
        OpenedFile opened = openClassFile(name);
        if (opened.file == nullptr) {
            return std::move(opened.error);
        }
        FileSource source(opened.file);
        auto error = readFrom(source, name, table);
        if (error && source.failed()) {
            // A failing disk: say what the system reported.
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
