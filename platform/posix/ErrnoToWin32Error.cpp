#include "platform/posix/ErrnoToWin32Error.h"

#include <cerrno>
#include <string>
#include <sys/stat.h>

namespace posix {

sys::DWORD win32FromErrno(int error) {
    switch (error) {
    case 0: return sys::NO_ERROR;
    case ENOENT: return sys::ERROR_FILE_NOT_FOUND;
    case ENOTDIR: return sys::ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EISDIR: return sys::ERROR_ACCESS_DENIED;
    case EBADF: return sys::ERROR_INVALID_HANDLE;
    case ENOMEM: return sys::ERROR_NOT_ENOUGH_MEMORY;
    case EROFS: return sys::ERROR_WRITE_PROTECT;
    case ENXIO:
    case ENODEV:
    case ENOMEDIUM: return sys::ERROR_NOT_READY;
    case EAGAIN:
    case EBUSY: return sys::ERROR_SHARING_VIOLATION;
    case EEXIST: return sys::ERROR_FILE_EXISTS;
    case EINVAL: return sys::ERROR_INVALID_PARAMETER;
    case ENOSPC:
    case EDQUOT: return sys::ERROR_DISK_FULL;
    case EMFILE:
    case ENFILE: return ERROR_TOO_MANY_OPEN_FILES;
    case EXDEV: return ERROR_NOT_SAME_DEVICE;
    case ENOTEMPTY: return ERROR_DIR_NOT_EMPTY;
    case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
    case EFBIG: return ERROR_FILE_TOO_LARGE;
    case ELOOP: return ERROR_CANT_RESOLVE_FILENAME;
    case ENOSYS:
    case EOPNOTSUPP: return sys::ERROR_NOT_SUPPORTED;
    case EIO: return ERROR_GEN_FAILURE;
    default: return ERROR_GEN_FAILURE;
    }
}

sys::DWORD win32NotFound(const char* path) {
    const std::string name(path);
    const auto slash = name.find_last_of('/');
    if (slash == std::string::npos) return sys::ERROR_FILE_NOT_FOUND;
    const std::string folder = slash == 0 ? "/" : name.substr(0, slash);
    struct stat info {};
    if (::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return sys::ERROR_FILE_NOT_FOUND;
    return sys::ERROR_PATH_NOT_FOUND;
}

}  // namespace posix
