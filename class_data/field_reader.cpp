#include "field_reader.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace vostrel::detail {

namespace {

constexpr std::size_t kChunkBytes = 64 * 1024;
constexpr std::size_t kMaxStrayBytes = 40;

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
            // A UTF-8 byte-order mark is not part of the first field.
            if (got >= 3 && std::memcmp(cur_, "\xEF\xBB\xBF", 3) == 0) {
                cur_ += 3;
            }
        }
        if (cur_ != end_) {
            return true;
        }
    }
    cur_ = end_ = nullptr;
    return false;
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

bool FieldReader::skipToData() {
    for (;;) {
        skipBlanks();
        if (atEnd()) {
            return false;
        }
        if (!isLineEnd(*cur_)) {
            return true;
        }
        takeSeparator();
    }
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
