#include "field_reader.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace vostrel::detail {

namespace {

constexpr std::size_t kChunkBytes = 64 * 1024;
constexpr std::size_t kMaxStrayBytes = 40;
// How much of the first chunk is looked at to tell UTF-16 text.
constexpr std::size_t kUtf16ProbeBytes = 512;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

// Appends [from, to) to the field text; false (with the text just over the
// limit) when the field grows longer than any field may be.
bool appendBounded(std::string& text, const char* from, const char* to) {
    const auto length = static_cast<std::size_t>(to - from);
    const std::size_t room = kMaxFieldBytes - std::min(text.size(), kMaxFieldBytes);
    if (length <= room) {
        text.append(from, length);
        return true;
    }
    text.append(from, room + 1);
    return false;
}

}  // namespace

FieldReader::FieldReader(ByteSource& source)
    : source_(source), buffer_(std::make_unique<char[]>(kChunkBytes)) {}

bool FieldReader::refill() {
    while (!exhausted_ && !failed_) {
        const std::size_t got = source_.read(buffer_.get(), kChunkBytes);
        if (source_.failed()) {
            failed_ = true;
            break;
        }
        if (got == 0) {
            exhausted_ = true;
            break;
        }
        cur_ = buffer_.get();
        end_ = cur_ + got;
        if (firstChunk_) {
            firstChunk_ = false;
            inspectFirstChunk();
        }
        if (cur_ != end_) {
            return true;
        }
    }
    cur_ = end_ = nullptr;
    return false;
}

void FieldReader::inspectFirstChunk() {
    const auto size = static_cast<std::size_t>(end_ - cur_);
    // A UTF-8 byte-order mark is not part of the first field.
    if (size >= 3 && std::memcmp(cur_, "\xEF\xBB\xBF", 3) == 0) {
        cur_ += 3;
        return;
    }
    if (size >= 2 &&
        (std::memcmp(cur_, "\xFF\xFE", 2) == 0 || std::memcmp(cur_, "\xFE\xFF", 2) == 0)) {
        utf16_ = true;
        return;
    }
    // Text in UTF-16 without a mark: most pairs of bytes are one ASCII
    // character and one NUL. A run of NUL bytes alone is not text at all.
    const std::size_t pairs = std::min(size, kUtf16ProbeBytes) / 2;
    std::size_t halfNul = 0;
    for (std::size_t i = 0; i < pairs; ++i) {
        halfNul += (cur_[2 * i] == '\0') != (cur_[2 * i + 1] == '\0') ? 1 : 0;
    }
    utf16_ = pairs >= 2 && halfNul * 4 >= pairs * 3;
}

bool FieldReader::atEnd() {
    return cur_ == end_ && !refill();
}

int FieldReader::peek() {
    return atEnd() ? -1 : static_cast<unsigned char>(*cur_);
}

void FieldReader::skipBlanks() {
    while (!atEnd() && isBlank(*cur_)) {
        ++cur_;
    }
}

FieldEnd FieldReader::takeSeparator() {
    const char c = *cur_++;
    if (c == ',') {
        return FieldEnd::Comma;
    }
    ++line_;
    if (c == '\r' && peek() == '\n') {
        ++cur_;
    }
    return FieldEnd::LineEnd;
}

// Runs through a chunk at a time, since a file may hold little else than blank
// lines; counts lines as takeSeparator does (CR LF, LF or CR each end one).
bool FieldReader::skipToData() {
    bool afterCr = false;
    while (!atEnd()) {
        const char* at = cur_;
        std::int64_t lines = 0;
        for (; at != end_; ++at) {
            const char c = *at;
            if (c == '\n') {
                lines += afterCr ? 0 : 1;
                afterCr = false;
            } else if (c == '\r') {
                ++lines;
                afterCr = true;
            } else if (isBlank(c)) {
                afterCr = false;
            } else {
                break;
            }
        }
        line_ += lines;
        cur_ = at;
        if (at != end_) {
            return true;
        }
    }
    return false;
}

FieldStatus FieldReader::read(Field& field) {
    field.text.clear();
    skipBlanks();
    field.line = line_;
    if (failed_) {
        return FieldStatus::ReadFailed;
    }
    if (atEnd()) {
        // A comma just before the end of the data still closes a (last, empty) field.
        if (lastEnd_ != FieldEnd::Comma) {
            return failed_ ? FieldStatus::ReadFailed : FieldStatus::EndOfData;
        }
        lastEnd_ = field.end = FieldEnd::EndOfData;
        return FieldStatus::Read;
    }
    const FieldStatus status = *cur_ == '"' ? readQuoted(field) : readPlain(field);
    if (status == FieldStatus::Read) {
        lastEnd_ = field.end;
    }
    return status;
}

FieldStatus FieldReader::readPlain(Field& field) {
    field.end = FieldEnd::EndOfData;
    while (!atEnd()) {
        const char* start = cur_;
        cur_ = std::find_if(cur_, end_, [](char c) { return c == ',' || isLineEnd(c); });
        if (!appendBounded(field.text, start, cur_)) {
            return FieldStatus::TooLong;
        }
        if (cur_ != end_) {
            field.end = takeSeparator();
            break;
        }
    }
    if (failed_) {
        return FieldStatus::ReadFailed;
    }
    const auto kept = field.text.find_last_not_of(" \t");
    field.text.resize(kept == std::string::npos ? 0 : kept + 1);
    return FieldStatus::Read;
}

FieldStatus FieldReader::readQuoted(Field& field) {
    ++cur_;  // the opening quote
    for (;;) {
        if (atEnd()) {
            return failed_ ? FieldStatus::ReadFailed : FieldStatus::UnclosedQuote;
        }
        const char* start = cur_;
        cur_ = std::find_if(cur_, end_, [](char c) { return c == '"' || isLineEnd(c); });
        if (!appendBounded(field.text, start, cur_)) {
            return FieldStatus::TooLong;
        }
        if (cur_ == end_) {
            continue;
        }
        const char c = *cur_++;
        std::string_view kept;
        if (c == '"') {
            if (peek() != '"') {
                return finishQuoted(field);
            }
            ++cur_;  // a doubled quote stands for one quote character
            kept = "\"";
        } else {
            ++line_;  // the line end belongs to the text, kept as written
            kept = c == '\n' ? "\n" : "\r";
            if (c == '\r' && peek() == '\n') {
                ++cur_;
                kept = "\r\n";
            }
        }
        if (!appendBounded(field.text, kept.data(), kept.data() + kept.size())) {
            return FieldStatus::TooLong;
        }
    }
}

FieldStatus FieldReader::finishQuoted(Field& field) {
    skipBlanks();
    if (atEnd()) {
        field.end = FieldEnd::EndOfData;
        return failed_ ? FieldStatus::ReadFailed : FieldStatus::Read;
    }
    if (*cur_ == ',' || isLineEnd(*cur_)) {
        field.end = takeSeparator();
        return FieldStatus::Read;
    }
    stray_.clear();
    while (!atEnd() && stray_.size() < kMaxStrayBytes && *cur_ != ',' && !isLineEnd(*cur_)) {
        stray_ += *cur_++;
    }
    return FieldStatus::TextAfterQuote;
}

}  // namespace vostrel::detail
