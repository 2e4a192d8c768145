#include "field_reader.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "text_encoding.h"

namespace vostrel::detail {

namespace {

constexpr std::size_t kChunkBytes = 64 * 1024;
constexpr std::size_t kMaxStrayBytes = 40;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

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

// Makes `count` bytes readable from cur_ on, keeping what is left of the chunk;
// false when the data ends before.
bool FieldReader::ensure(std::size_t count) {
    while (static_cast<std::size_t>(end_ - cur_) < count && !exhausted_ && !failed_) {
        const auto kept = static_cast<std::size_t>(end_ - cur_);
        if (kept > 0) {
            std::memmove(buffer_.get(), cur_, kept);
        }
        const std::size_t got = source_.read(buffer_.get() + kept, kChunkBytes - kept);
        failed_ = source_.failed();
        exhausted_ = got == 0;
        cur_ = buffer_.get();
        end_ = cur_ + kept + (failed_ ? 0 : got);
    }
    return static_cast<std::size_t>(end_ - cur_) >= count;
}

// Two exported files joined into one leave the second one's byte-order mark at
// the start of a line; it is no part of the class name there either.
void FieldReader::skipByteOrderMark() {
    if (peek() == 0xEF && ensure(kByteOrderMark.size()) &&
        std::string_view(cur_, kByteOrderMark.size()) == kByteOrderMark) {
        cur_ += kByteOrderMark.size();
        skipBlanks();
    }
}

void FieldReader::inspectFirstChunk() {
    const std::string_view start(cur_, static_cast<std::size_t>(end_ - cur_));
    if (start.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        cur_ += kByteOrderMark.size();
        return;
    }
    wideBits_ = detail::wideTextBits(start);
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
        lastEnd_ = lines > 0 ? FieldEnd::LineEnd : lastEnd_;
        cur_ = at;
        if (at != end_) {
            return true;
        }
    }
    return false;
}

FieldStatus FieldReader::read(Field& field) {
    field.text.clear();
    field.quoted = false;
    field.lineStart = lastEnd_ == FieldEnd::LineEnd;
    skipBlanks();
    if (field.lineStart) {
        skipByteOrderMark();
    }
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
    field.quoted = true;
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
