#include "byte_sources.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <system_error>

#include "refusal_messages.h"

namespace vostrel::detail {

std::string systemReason(int error) {
    return std::generic_category().message(error);
}

namespace {

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
            return {nullptr, notAFile(info.st_mode)};
        }
        return {nullptr, " cannot be opened: " + systemReason(reason) + "."};
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
        refusal = tooLargeFileText(size);
    } else if (std::FILE* file = ::fdopen(descriptor, "rb")) {
        return {file, {}};
    } else {
        refusal = " cannot be read: " + systemReason(errno != 0 ? errno : EIO) + ".";
    }
    ::close(descriptor);
    return {nullptr, refusal};
}

}  // namespace vostrel::detail
