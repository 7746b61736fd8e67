#include "platform/posix/OpenObject.h"

#include <cerrno>
#include <sys/file.h>

#include "platform/posix/ErrnoToWin32Error.h"

namespace posix {

constexpr sys::DWORD FILE_CURRENT = 1;
constexpr sys::DWORD FILE_END = 2;

sys::DWORD OpenObject::control(sys::DWORD) { return sys::ERROR_INVALID_PARAMETER; }

sys::DWORD resolveSeek(std::int64_t distance, sys::DWORD method, std::uint64_t current, std::uint64_t end,
                       std::uint64_t& result) {
    std::int64_t base = 0;
    switch (method) {
    case sys::FILE_BEGIN: base = 0; break;
    case FILE_CURRENT: base = static_cast<std::int64_t>(current); break;
    case FILE_END: base = static_cast<std::int64_t>(end); break;
    default: return sys::ERROR_INVALID_PARAMETER;
    }
    if (base + distance < 0) return ERROR_NEGATIVE_SEEK;
    result = static_cast<std::uint64_t>(base + distance);
    return sys::NO_ERROR;
}

sys::DWORD lockForShareMode(int fd, sys::DWORD shareMode) {
    const int operation = (shareMode == 0 ? LOCK_EX : LOCK_SH) | LOCK_NB;
    while (::flock(fd, operation) != 0) {
        if (errno == EINTR) continue;
        if (errno == EWOULDBLOCK) return sys::ERROR_SHARING_VIOLATION;
        // A file system without flock gives no sharing control; the open
        // itself is still good.
        return sys::NO_ERROR;
    }
    return sys::NO_ERROR;
}

}  // namespace posix
