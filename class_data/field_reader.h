#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "class_file_format.h"

namespace vostrel::detail {

enum class FieldEnd { Comma, LineEnd, EndOfData };

enum class FieldStatus {
    Read,            // a field was read
    EndOfData,       // the data ended where a field should begin
    UnclosedQuote,   // a quoted field ran to the end of the data
    TextAfterQuote,  // something other than a separator followed a closing quote
    TooLong,         // the field holds more than kMaxFieldBytes
    ReadFailed,      // the stream reported an error
};

struct Field {
    std::string text;       // quotes removed; an unquoted field is trimmed of trailing blanks
    std::int64_t line = 0;  // the line on which the field begins
    FieldEnd end = FieldEnd::EndOfData;
    bool quoted = false;
    bool lineStart = false;  // the first field of its line

    // Nothing at all: not even a pair of quotes.
    bool isEmpty() const { return text.empty() && !quoted; }
    // An empty cell as spreadsheets write it: nothing but spaces and tabs, quoted or not.
    bool isEmptyCell() const { return text.find_first_not_of(" \t") == std::string::npos; }
    // A line of nothing but spaces and tabs.
    bool isBlankLine() const { return lineStart && isEmpty() && end == FieldEnd::LineEnd; }
};

// Where the reader's bytes come from, a chunk at a time.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Fills `into` with up to `size` bytes and returns how many; 0 at the end of
    // the data or once reading has failed.
    virtual std::size_t read(char* into, std::size_t size) = 0;
    virtual bool failed() const = 0;
    // Starts the data over from its beginning; false when it cannot.
    virtual bool rewind() { return false; }
};

// Splits comma-separated data into fields, reading its source in chunks so that
// it never holds more than one chunk and one field. Line ends (CR LF, LF or a
// lone CR) separate fields like commas do; inside quotes they belong to the text.
class FieldReader {
public:
    explicit FieldReader(ByteSource& source);

    // Skips spaces, tabs and line ends. Returns false when nothing else is left.
    bool skipToData();

    // 16 or 32 when the data begins like UTF-16 or UTF-32 text: with its
    // byte-order mark, or with NUL bytes between the characters; else 0. Known
    // once skipToData has run.
    int wideTextBits() const { return wideBits_; }

    FieldStatus read(Field& field);

    // The line the reader has reached.
    std::int64_t line() const { return line_; }

    // True once the source has reported an error; the reader then acts as if the data ended.
    bool readFailed() const { return failed_; }

    // For TextAfterQuote: the start of the text found after the closing quote.
    const std::string& strayText() const { return stray_; }

private:
    bool atEnd();
    int peek();
    void skipBlanks();
    FieldEnd takeSeparator();
    FieldStatus readPlain(Field& field);
    FieldStatus readQuoted(Field& field);
    FieldStatus finishQuoted(Field& field);
    bool refill();
    bool ensure(std::size_t count);
    void skipByteOrderMark();
    void inspectFirstChunk();

    ByteSource& source_;
    std::unique_ptr<char[]> buffer_;
    const char* cur_ = nullptr;
    const char* end_ = nullptr;
    std::int64_t line_ = 1;
    FieldEnd lastEnd_ = FieldEnd::LineEnd;
    bool firstChunk_ = true;
    bool exhausted_ = false;
    bool failed_ = false;
    int wideBits_ = 0;
    std::string stray_;
};

}  // namespace vostrel::detail
