#include "platform/posix/FdStorage.h"

#include <cerrno>

#include "platform/posix/Fd.h"

namespace posix {

bool FdStorage::read(std::uint64_t offset, void* data, std::size_t length) {
    if (offset > size_ || length > size_ - offset) {
        lastErrno_ = EINVAL;
        return false;
    }
    std::size_t done = 0;
    const int error = readAll(fd_, data, length, done, static_cast<off_t>(offset));
    if (error != 0 || done != length) {
        lastErrno_ = error != 0 ? error : EIO;
        return false;
    }
    return true;
}

bool FdStorage::write(std::uint64_t offset, const void* data, std::size_t length) {
    // The volume never grows past the target's size, as a diskette cannot.
    if (offset > size_ || length > size_ - offset) {
        lastErrno_ = EINVAL;
        return false;
    }
    std::size_t done = 0;
    const int error = writeAll(fd_, data, length, done, static_cast<off_t>(offset));
    if (error != 0) {
        lastErrno_ = error;
        return false;
    }
    return true;
}

}  // namespace posix
