#include "byte_sources.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace vostrel::detail {

std::size_t StreamSource::read(char* into, std::size_t size) {
    in_.read(into, static_cast<std::streamsize>(size));
    const std::streamsize got = in_.gcount();
    return in_.bad() || got <= 0 ? 0 : static_cast<std::size_t>(got);
}

bool StreamSource::rewind() {
    if (start_ == std::istream::pos_type(-1) || in_.bad()) {
        return false;
    }
    in_.clear();
    return static_cast<bool>(in_.seekg(start_));
}

std::size_t FileSource::read(char* into, std::size_t size) {
    if (error_ != 0) {
        return 0;
    }
    errno = 0;
    const std::size_t got = std::fread(into, 1, size, file_.get());
    if (got < size && std::ferror(file_.get()) != 0) {
        error_ = errno != 0 ? errno : EIO;
        return 0;
    }
    return got;
}

bool FileSource::rewind() {
    return error_ == 0 && std::fseek(file_.get(), 0, SEEK_SET) == 0;
}

std::size_t LimitedSource::read(char* into, std::size_t size) {
    constexpr char kDosEndOfFile = '\x1A';
    while (!tooLarge_ && size > 1) {
        std::size_t got = heldEndOfFile_ ? 1 : 0;
        into[0] = kDosEndOfFile;
        const std::size_t more = inner_.read(into + got, size - got);
        total_ += more;
        tooLarge_ = total_ > kMaxClassFileBytes;
        if (more == 0 || tooLarge_) {
            break;
        }
        got += more;
        heldEndOfFile_ = into[got - 1] == kDosEndOfFile;
        got -= heldEndOfFile_ ? 1 : 0;
        if (got > 0) {
            return got;
        }
    }
    return 0;
}

bool LimitedSource::rewind() {
    total_ = 0;
    tooLarge_ = false;
    heldEndOfFile_ = false;
    return inner_.rewind();
}

namespace {

RefusalKind fileKind(mode_t mode) {
    if (S_ISFIFO(mode)) {
        return RefusalKind::NamedPipe;
    }
    if (S_ISSOCK(mode)) {
        return RefusalKind::Socket;
    }
    if (S_ISCHR(mode) || S_ISBLK(mode)) {
        return RefusalKind::Device;
    }
    return RefusalKind::NotRegularFile;
}

OpenedFile refused(const std::string& name, RefusalKind kind, std::int64_t number = 0) {
    return {nullptr, Refusal{.kind = kind, .source = name, .number = number}};
}

}  // namespace

OpenedFile openClassFile(const std::string& name) {
    errno = 0;
    const int descriptor = ::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat info {};
    if (descriptor < 0) {
        const int reason = errno != 0 ? errno : EIO;
        // A socket cannot be opened at all, and the system's reason for it
        // ("No such device or address") would only puzzle.
        if (::stat(name.c_str(), &info) == 0 && S_ISSOCK(info.st_mode)) {
            return refused(name, RefusalKind::Socket);
        }
        return refused(name, RefusalKind::CannotOpen, reason);
    }
    OpenedFile opened;
    if (::fstat(descriptor, &info) != 0) {
        opened = refused(name, RefusalKind::CannotRead, errno);
    } else if (S_ISDIR(info.st_mode)) {
        opened = refused(name, RefusalKind::CannotRead, EISDIR);
    } else if (!S_ISREG(info.st_mode)) {
        opened = refused(name, fileKind(info.st_mode));
    } else if (const auto size = static_cast<std::uintmax_t>(info.st_size);
               size > kMaxClassFileBytes) {
        opened = refused(name, RefusalKind::TooLargeFile, static_cast<std::int64_t>(size));
    } else if (std::FILE* file = ::fdopen(descriptor, "rb")) {
        return {FileHandle(file), std::nullopt};
    } else {
        opened = refused(name, RefusalKind::CannotRead, errno != 0 ? errno : EIO);
    }
    ::close(descriptor);
    return opened;
}

}  // namespace vostrel::detail
