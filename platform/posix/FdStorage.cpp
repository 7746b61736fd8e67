#include "platform/posix/FdStorage.h"

#include <cerrno>
#include <unistd.h>

namespace posix {

bool FdStorage::read(std::uint64_t offset, void* data, std::size_t length) {
    if (offset > size_ || length > size_ - offset) {
        lastErrno_ = EINVAL;
        return false;
    }
    auto* at = static_cast<char*>(data);
    while (length > 0) {
        const ssize_t n = ::pread(fd_, at, length, static_cast<off_t>(offset));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            lastErrno_ = n < 0 ? errno : EIO;
            return false;
        }
        at += n;
        offset += static_cast<std::uint64_t>(n);
        length -= static_cast<std::size_t>(n);
    }
    return true;
}

bool FdStorage::write(std::uint64_t offset, const void* data, std::size_t length) {
    // The volume never grows past the target's size, as a diskette cannot.
    if (offset > size_ || length > size_ - offset) {
        lastErrno_ = EINVAL;
        return false;
    }
    const auto* at = static_cast<const char*>(data);
    while (length > 0) {
        const ssize_t n = ::pwrite(fd_, at, length, static_cast<off_t>(offset));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            lastErrno_ = n < 0 ? errno : EIO;
            return false;
        }
        at += n;
        offset += static_cast<std::uint64_t>(n);
        length -= static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace posix
