#include "platform/posix/DriveTarget.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>

#include "platform/posix/ErrnoToWin32Error.h"

namespace posix {

std::string driveATargetPath() {
    const char* configured = std::getenv("DORVANE_DRIVE_A");
    return configured != nullptr && *configured != '\0' ? configured : "A.img";
}

sys::DWORD openDriveTarget(const std::string& path, int mode, DriveTarget& out) {
    int fd = -1;
    do {
        fd = ::open(path.c_str(), mode | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        out.openErrno = errno;
        return errno == ENOENT || errno == ENOTDIR ? sys::ERROR_NOT_READY : win32FromErrno(errno);
    }
    UniqueFd owned(fd);
    struct stat info {};
    if (::fstat(fd, &info) != 0) return win32FromErrno(errno);
    if (S_ISREG(info.st_mode)) {
        out.size = static_cast<std::uint64_t>(info.st_size);
        out.blockDevice = false;
    } else if (S_ISBLK(info.st_mode)) {
        std::uint64_t bytes = 0;
        if (::ioctl(fd, BLKGETSIZE64, &bytes) != 0) return win32FromErrno(errno);
        out.size = bytes;
        out.blockDevice = true;
    } else {
        return sys::ERROR_ACCESS_DENIED;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    out.fd = std::move(owned);
    return sys::NO_ERROR;
}

sys::DWORD DriveTarget::transferError(int error, sys::DWORD ioFailure) const {
    if (error == EIO) return ioFailure;
    if (blockDevice && (error == EPERM || error == EROFS)) {
        int readOnly = 0;
        if (::ioctl(fd.get(), BLKROGET, &readOnly) == 0 && readOnly != 0) return sys::ERROR_WRITE_PROTECT;
        return error == EPERM ? ERROR_PRIVILEGE_NOT_HELD : sys::ERROR_WRITE_PROTECT;
    }
    if (!blockDevice && (error == ENOSPC || error == EDQUOT)) return ERROR_HANDLE_DISK_FULL;
    return win32FromErrno(error);
}

}  // namespace posix
