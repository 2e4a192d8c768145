#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <istream>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "field_reader.h"
#include "refusal.h"

// Where the reader's bytes come from: an open stream, a file read through C's
// stdio, and the limit on how much of either is read.
namespace vostrel::detail {

class StreamSource final : public ByteSource {
public:
    explicit StreamSource(std::istream& in) : in_(in), start_(in.tellg()) {}

    std::size_t read(char* into, std::size_t size) override;
    bool failed() const override { return in_.bad(); }
    bool rewind() override;

private:
    std::istream& in_;
    std::istream::pos_type start_;
};

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
// An open file, closed when its owner lets go of it.
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// Files are read through C's stdio rather than a file stream: a file stream
// brings up the whole iostream locale machinery, a noticeable share of the
// window's start-up memory for one small file.
class FileSource final : public ByteSource {
public:
    explicit FileSource(FileHandle file) : file_(std::move(file)) {}

    std::size_t read(char* into, std::size_t size) override;
    bool failed() const override { return error_ != 0; }
    bool rewind() override;
    int error() const { return error_; }

private:
    FileHandle file_;
    int error_ = 0;
};

// Counts what comes from a source whose size was not known beforehand, and
// ends the data once it passes the largest size read. Drops a DOS end-of-file
// byte (0x1A) that is the very last byte of the data.
class LimitedSource final : public ByteSource {
public:
    explicit LimitedSource(ByteSource& inner) : inner_(inner) {}

    std::size_t read(char* into, std::size_t size) override;
    bool failed() const override { return tooLarge_ || inner_.failed(); }
    bool rewind() override;
    bool tooLarge() const { return tooLarge_; }

private:
    ByteSource& inner_;
    std::uintmax_t total_ = 0;
    bool tooLarge_ = false;
    bool heldEndOfFile_ = false;  // a 0x1A kept back until it is known not to be last
};

struct OpenedFile {
    FileHandle file;
    std::optional<Refusal> refusal;  // when there is no file
};

// The one place that asks the system about the file. It is opened without
// blocking, so that a FIFO with no writer or a device answers at once, and only
// a regular file of a plausible size goes on to be read.
OpenedFile openClassFile(const std::string& name);

}  // namespace vostrel::detail
