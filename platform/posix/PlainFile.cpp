#include "platform/posix/PlainFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/posix/ErrnoToWin32Error.h"

namespace posix {
namespace {

constexpr sys::DWORD OPEN_ALWAYS = 4;
constexpr sys::DWORD TRUNCATE_EXISTING = 5;
constexpr sys::DWORD FILE_ATTRIBUTE_READONLY = 0x1;

sys::DWORD openError(const std::string& path, int error) {
    return error == ENOENT ? win32NotFound(path.c_str()) : win32FromErrno(error);
}

int openRetrying(const std::string& path, int flags, mode_t mode) {
    int fd = -1;
    do {
        fd = ::open(path.c_str(), flags, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

}  // namespace

sys::DWORD PlainFile::open(const std::string& path, sys::DWORD access, sys::DWORD shareMode,
                           sys::DWORD disposition, sys::DWORD flags, std::unique_ptr<OpenObject>& out,
                           bool& existed) {
    const bool canRead = (access & sys::GENERIC_READ) != 0;
    const bool canWrite = (access & sys::GENERIC_WRITE) != 0;
    bool create = false;
    bool truncate = false;
    switch (disposition) {
    case sys::CREATE_NEW:
    case OPEN_ALWAYS: create = true; break;
    case sys::CREATE_ALWAYS: create = truncate = true; break;
    case sys::OPEN_EXISTING: break;
    case TRUNCATE_EXISTING:
        if (!canWrite) return sys::ERROR_INVALID_PARAMETER;
        truncate = true;
        break;
    default: return sys::ERROR_INVALID_PARAMETER;
    }

    // Truncation needs a writable descriptor even when the caller asked for
    // reading only; the handle still refuses writes then.
    int mode = O_RDONLY;
    if (canWrite || truncate) mode = canRead || !canWrite ? O_RDWR : O_WRONLY;
    // Non-blocking so that naming a FIFO cannot hang the open.
    int base = mode | O_CLOEXEC | O_NONBLOCK | O_NOCTTY;
    if ((flags & sys::FILE_FLAG_WRITE_THROUGH) != 0) base |= O_DSYNC;
    const mode_t permissions = (flags & FILE_ATTRIBUTE_READONLY) != 0 ? 0444 : 0666;

    int fd = -1;
    existed = false;
    if (create) {
        fd = openRetrying(path, base | O_CREAT | O_EXCL, permissions);
        if (fd < 0 && errno == EEXIST && disposition != sys::CREATE_NEW) {
            existed = true;
            fd = openRetrying(path, base, 0);
        }
    } else {
        fd = openRetrying(path, base, 0);
        existed = fd >= 0;
    }
    if (fd < 0) return openError(path, errno);
    UniqueFd owned(fd);

    struct stat info {};
    if (::fstat(fd, &info) != 0) return win32FromErrno(errno);
    if (!S_ISREG(info.st_mode)) return sys::ERROR_ACCESS_DENIED;
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);

    // The lock comes before truncation: a file that another handle holds
    // exclusively must keep its content when this open is refused.
    if (const sys::DWORD locked = lockForShareMode(fd, shareMode); locked != sys::NO_ERROR) return locked;
    if (truncate && existed && ::ftruncate(fd, 0) != 0) return win32FromErrno(errno);
    out.reset(new PlainFile(std::move(owned), canRead, canWrite));
    return sys::NO_ERROR;
}

sys::DWORD PlainFile::read(void* buffer, sys::DWORD length, sys::DWORD& done) {
    done = 0;
    if (!canRead_) return sys::ERROR_ACCESS_DENIED;
    // A read that meets the end of the file gives a short count, not a failure.
    std::size_t moved = 0;
    const int error = readAll(fd_.get(), buffer, length, moved);
    done = static_cast<sys::DWORD>(moved);
    if (error != 0) return error == EIO ? sys::ERROR_READ_FAULT : win32FromErrno(error);
    return sys::NO_ERROR;
}

sys::DWORD PlainFile::write(const void* buffer, sys::DWORD length, sys::DWORD& done) {
    done = 0;
    if (!canWrite_) return sys::ERROR_ACCESS_DENIED;
    std::size_t moved = 0;
    const int error = writeAll(fd_.get(), buffer, length, moved);
    done = static_cast<sys::DWORD>(moved);
    if (error != 0) return error == EIO ? sys::ERROR_WRITE_FAULT : win32FromErrno(error);
    return sys::NO_ERROR;
}

sys::DWORD PlainFile::seek(std::int64_t distance, sys::DWORD method, std::uint64_t& position) {
    const off_t current = ::lseek(fd_.get(), 0, SEEK_CUR);
    std::uint64_t end = 0;
    if (current < 0) return win32FromErrno(errno);
    if (const sys::DWORD e = size(end); e != sys::NO_ERROR) return e;
    std::uint64_t target = 0;
    if (const sys::DWORD e = resolveSeek(distance, method, static_cast<std::uint64_t>(current), end, target);
        e != sys::NO_ERROR)
        return e;
    if (::lseek(fd_.get(), static_cast<off_t>(target), SEEK_SET) < 0) return win32FromErrno(errno);
    position = target;
    return sys::NO_ERROR;
}

sys::DWORD PlainFile::size(std::uint64_t& bytes) {
    struct stat info {};
    if (::fstat(fd_.get(), &info) != 0) return win32FromErrno(errno);
    bytes = static_cast<std::uint64_t>(info.st_size);
    return sys::NO_ERROR;
}

sys::DWORD PlainFile::close() { return fd_.close() == 0 ? sys::NO_ERROR : win32FromErrno(errno); }

}  // namespace posix
