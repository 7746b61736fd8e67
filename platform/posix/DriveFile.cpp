#include "platform/posix/DriveFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <cerrno>
#include <ctime>

#include "platform/fat12/Name.h"
#include "platform/posix/ErrnoToWin32Error.h"

namespace posix {
namespace {

fat12::DosStamp now() {
    const std::time_t seconds = std::time(nullptr);
    std::tm local{};
    if (::localtime_r(&seconds, &local) == nullptr) return {};
    return fat12::DosStamp::from(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                                 local.tm_sec);
}

}  // namespace

sys::DWORD DriveFile::create(const std::string& target, const std::string& name, sys::DWORD access,
                             sys::DWORD disposition, std::unique_ptr<OpenObject>& out) {
    if (disposition != sys::CREATE_NEW || (access & sys::GENERIC_WRITE) == 0 || (access & sys::GENERIC_READ) != 0)
        return sys::ERROR_NOT_SUPPORTED;
    if (!fat12::toShortName(name)) return sys::ERROR_INVALID_NAME;
    DriveTarget opened;
    if (const sys::DWORD e = openDriveTarget(target, O_RDWR, opened); e != sys::NO_ERROR) {
        // A target we may not write is a diskette with its write-protect tab set.
        return opened.openErrno == EACCES || opened.openErrno == EPERM ? sys::ERROR_WRITE_PROTECT : e;
    }
    // The volume keeps the table in memory while the file is open, so nobody
    // else may write the target meanwhile: not another file, not raw access.
    if (::flock(opened.fd.get(), LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) return sys::ERROR_SHARING_VIOLATION;
    std::unique_ptr<DriveFile> file(new DriveFile(std::move(opened)));
    fat12::Status status = file->volume_.mount();
    if (status == fat12::Status::Ok) status = file->volume_.create(name, now());
    if (status != fat12::Status::Ok) return file->errorOf(status);
    out = std::move(file);
    return sys::NO_ERROR;
}

sys::DWORD DriveFile::errorOf(fat12::Status status) const {
    using fat12::Status;
    switch (status) {
    case Status::Ok: return sys::NO_ERROR;
    case Status::InvalidName: return sys::ERROR_INVALID_NAME;
    case Status::Exists: return sys::ERROR_FILE_EXISTS;
    case Status::RootFull: return ERROR_CANNOT_MAKE;
    case Status::DiskFull: return sys::ERROR_DISK_FULL;
    case Status::Corrupt: return sys::ERROR_FILE_CORRUPT;
    case Status::WriteProtected: return sys::ERROR_WRITE_PROTECT;
    case Status::ReadFault:
        return storage_.lastErrno() == 0 ? sys::ERROR_READ_FAULT
                                         : target_.transferError(storage_.lastErrno(), sys::ERROR_READ_FAULT);
    case Status::WriteFault:
        return storage_.lastErrno() == 0 ? sys::ERROR_WRITE_FAULT
                                         : target_.transferError(storage_.lastErrno(), sys::ERROR_WRITE_FAULT);
    case Status::WrongState: return sys::ERROR_INVALID_HANDLE;
    }
    return ERROR_GEN_FAILURE;
}

sys::DWORD DriveFile::read(void*, sys::DWORD, sys::DWORD& done) {
    done = 0;
    return sys::ERROR_ACCESS_DENIED;  // opened for writing only
}

sys::DWORD DriveFile::write(const void* buffer, sys::DWORD length, sys::DWORD& done) {
    std::size_t written = 0;
    const fat12::Status status = volume_.write(buffer, length, written);
    done = static_cast<sys::DWORD>(written);
    return errorOf(status);
}

// Writing is sequential: the only position there is, is the end.
sys::DWORD DriveFile::seek(std::int64_t distance, sys::DWORD method, std::uint64_t& position) {
    const std::uint64_t end = volume_.fileSize();
    std::uint64_t target = 0;
    if (const sys::DWORD e = resolveSeek(distance, method, end, end, target); e != sys::NO_ERROR) return e;
    if (target != end) return sys::ERROR_NOT_SUPPORTED;
    position = end;
    return sys::NO_ERROR;
}

sys::DWORD DriveFile::size(std::uint64_t& bytes) {
    bytes = volume_.fileSize();
    return sys::NO_ERROR;
}

sys::DWORD DriveFile::close() {
    sys::DWORD result = errorOf(volume_.close());
    if (::fdatasync(target_.fd.get()) != 0 && result == sys::NO_ERROR && errno != EINVAL)
        result = sys::ERROR_WRITE_FAULT;
    if (target_.fd.close() != 0 && result == sys::NO_ERROR) result = win32FromErrno(errno);
    return result;
}

}  // namespace posix
