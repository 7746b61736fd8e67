#include "platform/posix/RawDrive.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "platform/fat12/Layout.h"
#include "platform/posix/ErrnoToWin32Error.h"

namespace posix {

sys::DWORD RawDrive::open(const std::string& target, sys::DWORD access, sys::DWORD shareMode,
                          sys::DWORD disposition, sys::DWORD flags, std::unique_ptr<OpenObject>& out) {
    // A volume is opened, never created or truncated.
    if (disposition != sys::OPEN_EXISTING) return sys::ERROR_INVALID_PARAMETER;
    const bool canRead = (access & sys::GENERIC_READ) != 0;
    const bool canWrite = (access & sys::GENERIC_WRITE) != 0;
    int mode = canWrite ? (canRead ? O_RDWR : O_WRONLY) : O_RDONLY;
    if (canWrite && (flags & sys::FILE_FLAG_WRITE_THROUGH) != 0) mode |= O_DSYNC;
    DriveTarget opened;
    if (const sys::DWORD e = openDriveTarget(target, mode, opened); e != sys::NO_ERROR) return e;
    if (const sys::DWORD e = lockForShareMode(opened.fd.get(), shareMode); e != sys::NO_ERROR) return e;
    out.reset(new RawDrive(std::move(opened), target, shareMode, canRead, canWrite));
    return sys::NO_ERROR;
}

bool RawDrive::aligned(sys::DWORD length) const {
    return length % fat12::SectorBytes == 0 && position_ % fat12::SectorBytes == 0;
}

sys::DWORD RawDrive::read(void* buffer, sys::DWORD length, sys::DWORD& done) {
    done = 0;
    if (!canRead_) return sys::ERROR_ACCESS_DENIED;
    if (!aligned(length)) return sys::ERROR_INVALID_PARAMETER;
    const std::uint64_t available = position_ < target_.size ? target_.size - position_ : 0;
    const std::uint64_t wanted = length < available ? length : available;
    std::size_t moved = 0;
    const int error = readAll(target_.fd.get(), buffer, wanted, moved, static_cast<off_t>(position_));
    done = static_cast<sys::DWORD>(moved);
    position_ += moved;
    if (error != 0) return target_.transferError(error, sys::ERROR_READ_FAULT);
    return moved == wanted ? sys::NO_ERROR : sys::ERROR_READ_FAULT;
}

sys::DWORD RawDrive::write(const void* buffer, sys::DWORD length, sys::DWORD& done) {
    done = 0;
    if (!canWrite_) return sys::ERROR_ACCESS_DENIED;
    if (!aligned(length)) return sys::ERROR_INVALID_PARAMETER;
    // A diskette has no sectors past its last one; an image must not grow.
    if (position_ > target_.size || length > target_.size - position_) return sys::ERROR_SECTOR_NOT_FOUND;
    std::size_t moved = 0;
    const int error = writeAll(target_.fd.get(), buffer, length, moved, static_cast<off_t>(position_));
    done = static_cast<sys::DWORD>(moved);
    position_ += moved;
    return error != 0 ? target_.transferError(error, sys::ERROR_WRITE_FAULT) : sys::NO_ERROR;
}

sys::DWORD RawDrive::seek(std::int64_t distance, sys::DWORD method, std::uint64_t& position) {
    if (const sys::DWORD e = resolveSeek(distance, method, position_, target_.size, position); e != sys::NO_ERROR)
        return e;
    position_ = position;
    return sys::NO_ERROR;
}

sys::DWORD RawDrive::size(std::uint64_t& bytes) {
    bytes = target_.size;
    return sys::NO_ERROR;
}

sys::DWORD RawDrive::control(sys::DWORD code) {
    switch (code) {
    case sys::FSCTL_LOCK_VOLUME: return lock();
    case FSCTL_UNLOCK_VOLUME: return unlock();
    case sys::FSCTL_DISMOUNT_VOLUME: return dismount();
    // No geometry, as for a drive that Wine backs with an image file: the
    // caller asks the size instead, the image's or the block device's.
    case sys::IOCTL_DISK_GET_DRIVE_GEOMETRY: return sys::ERROR_NOT_SUPPORTED;
    default: return sys::ERROR_INVALID_PARAMETER;
    }
}

// Locking a volume means no other handle may have it open. For a block
// device that also means it is not mounted, which an O_EXCL open tells.
sys::DWORD RawDrive::lock() {
    if (locked_) return sys::NO_ERROR;
    if (target_.blockDevice) {
        const int fd = ::open(path_.c_str(), O_RDONLY | O_EXCL | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0) return sys::ERROR_ACCESS_DENIED;
        exclusive_.reset(fd);
    }
    if (::flock(target_.fd.get(), LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
        // Converting a flock is not atomic; take back the shared lock we had.
        lockForShareMode(target_.fd.get(), shareMode_);
        exclusive_.reset();
        return sys::ERROR_ACCESS_DENIED;
    }
    locked_ = true;
    return sys::NO_ERROR;
}

sys::DWORD RawDrive::unlock() {
    if (!locked_) return ERROR_NOT_LOCKED;
    exclusive_.reset();
    lockForShareMode(target_.fd.get(), shareMode_);
    locked_ = false;
    return sys::NO_ERROR;
}

sys::DWORD RawDrive::dismount() {
    if (!target_.blockDevice || exclusive_) return sys::NO_ERROR;
    const int fd = ::open(path_.c_str(), O_RDONLY | O_EXCL | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return sys::ERROR_ACCESS_DENIED;  // mounted: unmounting is not ours to do
    ::close(fd);
    return sys::NO_ERROR;
}

sys::DWORD RawDrive::close() {
    exclusive_.reset();
    return target_.fd.close() == 0 ? sys::NO_ERROR : win32FromErrno(errno);
}

}  // namespace posix
