#include "platform/posix/FileOperations.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/posix/DriveNames.h"
#include "platform/posix/ErrnoToWin32Error.h"
#include "platform/posix/Fd.h"

namespace posix {
namespace {

sys::DWORD errorForKind(NameKind kind) {
    switch (kind) {
    case NameKind::Plain: return sys::NO_ERROR;
    case NameKind::RawDriveA:
    case NameKind::DriveAFile: return sys::ERROR_NOT_SUPPORTED;
    case NameKind::NoSuchDevice: return sys::ERROR_FILE_NOT_FOUND;
    case NameKind::NoSuchDrive: return sys::ERROR_PATH_NOT_FOUND;
    }
    return sys::ERROR_INVALID_PARAMETER;
}

// Every handle of this kernel holds a flock on its file, so a file we cannot
// lock exclusively is open somewhere; Windows refuses to rename or delete
// such a file (no handle here ever shares deletion). The returned descriptor
// keeps the lock until the operation is done.
sys::DWORD holdForRemoval(const char* path, UniqueFd& held) {
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW);
    if (fd < 0) return sys::NO_ERROR;  // the operation itself will say what is wrong
    held.reset(fd);
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) return sys::ERROR_SHARING_VIOLATION;
    return sys::NO_ERROR;
}

int renameNoReplace(const char* from, const char* to) {
    if (::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS) return errno;
    // File systems without RENAME_NOREPLACE: a hard link fails on an existing
    // target just the same.
    if (::link(from, to) != 0) return errno;
    if (::unlink(from) != 0) {
        const int error = errno;
        ::unlink(to);
        return error;
    }
    return 0;
}

}  // namespace

sys::DWORD moveFile(const char* from, const char* to) {
    if (from == nullptr || to == nullptr || *from == '\0' || *to == '\0') return sys::ERROR_PATH_NOT_FOUND;
    const ParsedName source = parseName(from);
    const ParsedName target = parseName(to);
    if (source.kind != NameKind::Plain) return errorForKind(source.kind);
    if (target.kind != NameKind::Plain)
        return target.kind == NameKind::DriveAFile ? ERROR_NOT_SAME_DEVICE : errorForKind(target.kind);
    UniqueFd held;
    if (const sys::DWORD e = holdForRemoval(source.path.c_str(), held); e != sys::NO_ERROR) return e;
    const int error = renameNoReplace(source.path.c_str(), target.path.c_str());
    switch (error) {
    case 0: return sys::NO_ERROR;
    case EEXIST:
    case ENOTEMPTY: return sys::ERROR_ALREADY_EXISTS;
    case ENOENT: {
        struct stat info {};
        // The source is there, so it is the target's folder that is missing.
        return ::lstat(source.path.c_str(), &info) == 0 ? sys::ERROR_PATH_NOT_FOUND
                                                        : win32NotFound(source.path.c_str());
    }
    default: return win32FromErrno(error);
    }
}

sys::DWORD deleteFile(const char* name) {
    if (name == nullptr || *name == '\0') return sys::ERROR_PATH_NOT_FOUND;
    const ParsedName parsed = parseName(name);
    if (parsed.kind != NameKind::Plain) return errorForKind(parsed.kind);
    const char* path = parsed.path.c_str();
    struct stat info {};
    if (::lstat(path, &info) != 0) return errno == ENOENT ? win32NotFound(path) : win32FromErrno(errno);
    if (S_ISDIR(info.st_mode)) return sys::ERROR_ACCESS_DENIED;
    UniqueFd held;
    if (const sys::DWORD e = holdForRemoval(path, held); e != sys::NO_ERROR) return e;
    if (::unlink(path) != 0) return errno == ENOENT ? win32NotFound(path) : win32FromErrno(errno);
    return sys::NO_ERROR;
}

}  // namespace posix
