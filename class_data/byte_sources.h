#pragma once

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <istream>
#include <string>

#include "class_file_reader.h"
#include "field_reader.h"

// Where the reader's bytes come from: an open stream, a file read through C's
// stdio, and the limit on how much of either is read.
namespace vostrel::detail {

class StreamSource final : public ByteSource {
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
class FileSource final : public ByteSource {
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
class LimitedSource final : public ByteSource {
public:
    explicit LimitedSource(ByteSource& inner) : inner_(inner) {}

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
    ByteSource& inner_;
    std::uintmax_t total_ = 0;
    bool tooLarge_ = false;
};

std::string systemReason(int error);

struct OpenedFile {
    std::FILE* file = nullptr;
    std::string refusal;  // after the file's name in the message, when there is no file
};

// The one place that asks the system about the file. It is opened without
// blocking, so that a FIFO with no writer or a device answers at once, and only
// a regular file of a plausible size goes on to be read.
OpenedFile openClassFile(const std::string& name);

}  // namespace vostrel::detail
