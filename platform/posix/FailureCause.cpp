#include "platform/posix/FailureCause.h"

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include "platform/posix/ErrnoToWin32Error.h"

namespace posix {
namespace {

std::string driveWords(const std::string& driveA) { return "drive A: (" + driveA + ")"; }

std::string groupName(gid_t gid) {
    const struct group* g = ::getgrgid(gid);
    return g != nullptr ? g->gr_name : std::to_string(gid);
}

std::string userName(uid_t uid) {
    const struct passwd* p = ::getpwuid(uid);
    return p != nullptr ? p->pw_name : std::to_string(uid);
}

// Who may read or write what `path` names, and how this user becomes one of
// them.
std::string permissionWords(const std::string& path, bool forWriting) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return errno == EACCES ? "permission denied on one of the folders that lead to it" : "permission denied";
    const std::string verb = forWriting ? "write" : "read";
    if (info.st_uid == ::geteuid()) {
        return forWriting ? "permission denied; it is read-only for you: chmod u+w " + path
                          : "permission denied; it is not readable for you: chmod u+r " + path;
    }
    // Floppy and disk devices are written by the members of their group.
    if (S_ISBLK(info.st_mode) || (info.st_mode & (forWriting ? S_IWGRP : S_IRGRP)) != 0) {
        const std::string group = groupName(info.st_gid);
        return "permission denied; members of the group that owns it (" + group + ") may " + verb +
               " it: sudo usermod -aG " + group + " $USER, then log in again; or run as root";
    }
    const std::string owner = userName(info.st_uid);
    if (!forWriting) {
        return "permission denied; only its owner (" + owner +
               ") or root may read it; either can make it readable: " + "chmod a+r " + path;
    }
    return "permission denied; only its owner (" + owner + ") or root may write it";
}

// What a name that is not a regular file stands for.
std::string kindWords(mode_t mode) {
    if (S_ISDIR(mode)) return "a folder";
    if (S_ISFIFO(mode)) return "a named pipe (FIFO)";
    if (S_ISSOCK(mode)) return "a socket";
    return "a device";
}

// Drive A: refuses writes: a write-protected diskette, a device set
// read-only, or an image on a read-only file system.
std::string writeProtectedWords(const std::string& driveA) {
    struct stat info {};
    if (::stat(driveA.c_str(), &info) == 0 && S_ISBLK(info.st_mode)) {
        return "write-protected: slide the diskette's tab to close its window, or, for a device set read-only, "
               "blockdev --setrw " +
               driveA;
    }
    return "read-only: the file system that holds it is mounted read-only";
}

// The folder that holds drive A:'s image, whose file system is full.
std::string hostFullWords(const std::string& driveA) {
    std::string folder = ".";
    if (const auto slash = driveA.find_last_of('/'); slash != std::string::npos)
        folder = slash == 0 ? "/" : driveA.substr(0, slash);
    char resolved[PATH_MAX];
    if (::realpath(folder.c_str(), resolved) != nullptr) folder = resolved;
    return "no space left on the file system that holds the image (" + folder +
           "), not on the diskette: free some space there";
}

std::string missingDriveWords(const std::string& driveA) {
    struct stat info {};
    if (::stat(driveA.c_str(), &info) == 0) return driveWords(driveA) + ": no diskette in the drive";
    return driveWords(driveA) +
           ": no such image file or device; name it with --drive PATH or DORVANE_DRIVE_A, or put A.img in the "
           "working folder";
}

}  // namespace

std::string describeName(const ParsedName& parsed, const std::string& driveA) {
    switch (parsed.kind) {
    case NameKind::RawDriveA: return driveWords(driveA);
    case NameKind::DriveAFile: return "a:" + parsed.path + " on " + driveWords(driveA);
    case NameKind::Plain: break;
    case NameKind::NoSuchDevice:
    case NameKind::NoSuchDrive: return parsed.given;
    }
    if (!parsed.path.empty() && parsed.path[0] == '/') return parsed.path;
    char folder[4096];
    return ::getcwd(folder, sizeof folder) != nullptr ? std::string(folder) + "/" + parsed.path : parsed.path;
}

std::string reasonOf(sys::DWORD error) {
    switch (error) {
    case sys::ERROR_FILE_NOT_FOUND: return "no such file";
    case sys::ERROR_PATH_NOT_FOUND: return "no such folder";
    case sys::ERROR_ACCESS_DENIED: return "permission denied";
    case sys::ERROR_WRITE_PROTECT: return "read-only: the diskette is write-protected or the file system read-only";
    case sys::ERROR_NOT_READY: return "no medium";
    case sys::ERROR_SHARING_VIOLATION:
    case sys::ERROR_LOCK_VIOLATION: return "in use by another program";
    case sys::ERROR_DISK_FULL: return "no space left";
    case sys::ERROR_FILE_EXISTS:
    case sys::ERROR_ALREADY_EXISTS: return "already exists";
    case sys::ERROR_FILE_CORRUPT: return "no FAT12 file system this program can write; format it (mkfs.fat -F 12)";
    case sys::ERROR_READ_FAULT:
    case sys::ERROR_WRITE_FAULT:
    case sys::ERROR_CRC:
    case ERROR_GEN_FAILURE: return "input/output error; the diskette may be damaged";
    case sys::ERROR_INVALID_NAME: return "not a valid 8.3 name";
    case ERROR_CANT_RESOLVE_FILENAME: return "a loop of symbolic links: one of them, or a folder's, points back";
    case ERROR_FILE_TOO_LARGE: return "refused by the file-size limit of this session: raise it (ulimit -f unlimited)";
    case ERROR_PRIVILEGE_NOT_HELD: return "operation not permitted";
    case ERROR_HANDLE_DISK_FULL: return "no space left on the file system that holds it";
    default: return "system error " + std::to_string(error);
    }
}

std::string openCause(const ParsedName& parsed, const std::string& driveA, sys::DWORD error, bool forWriting) {
    const bool onDriveA = parsed.kind == NameKind::RawDriveA || parsed.kind == NameKind::DriveAFile;
    const std::string verb = forWriting ? "cannot write " : "cannot open ";
    if (onDriveA) {
        if (error == sys::ERROR_NOT_READY) return missingDriveWords(driveA);
        struct stat info {};
        if (error == sys::ERROR_ACCESS_DENIED && ::stat(driveA.c_str(), &info) == 0 && !S_ISREG(info.st_mode) &&
            !S_ISBLK(info.st_mode))
            return driveWords(driveA) + " is neither a diskette image file nor a block device";
        if (error == sys::ERROR_ACCESS_DENIED || error == sys::ERROR_WRITE_PROTECT) {
            // Read-only for this user, or truly read-only: access(2) tells which.
            if (::access(driveA.c_str(), W_OK) != 0 && errno == EACCES)
                return verb + driveWords(driveA) + ": " + permissionWords(driveA, true);
        }
        if (error == sys::ERROR_WRITE_PROTECT) return verb + driveWords(driveA) + ": " + writeProtectedWords(driveA);
    }
    if (!onDriveA && error == sys::ERROR_ACCESS_DENIED) {
        const std::string path = describeName(parsed, driveA);
        // A folder or a pipe is refused as Windows refuses a folder; no
        // permission would change that.
        struct stat info {};
        if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode))
            return verb + path + ": not a regular file but " + kindWords(info.st_mode);
        return (forWriting ? verb : "cannot read ") + path + ": " + permissionWords(path, forWriting);
    }
    return verb + describeName(parsed, driveA) + ": " + reasonOf(error);
}

std::string lockCause(const std::string& driveA) {
    struct stat info {};
    if (::stat(driveA.c_str(), &info) == 0 && S_ISBLK(info.st_mode))
        return driveWords(driveA) + " is mounted or in use: unmount it (umount " + driveA + ") and try again";
    return driveWords(driveA) + " is in use by another program";
}

std::string driveSizeCause(const std::string& driveA, unsigned long long bytes) {
    const std::string found =
        ": " + std::to_string(bytes) + " bytes, where a 1.44 MB diskette has " + std::to_string(DriveATargetBytes);
    if (bytes < DriveATargetBytes) return driveWords(driveA) + " is too small" + found;
    // A disk or a stick named by mistake: the raw area would destroy what it holds.
    return driveWords(driveA) + " is too large for a diskette" + found +
           "; name the floppy drive or a diskette image with --drive PATH";
}

std::string writeCause(const std::string& description, const std::string& driveA, sys::DWORD error) {
    // A write past the end of the target: its size was not that of a diskette.
    struct stat info {};
    if (error == sys::ERROR_SECTOR_NOT_FOUND && ::stat(driveA.c_str(), &info) == 0 && S_ISREG(info.st_mode))
        return driveSizeCause(driveA, static_cast<unsigned long long>(info.st_size));
    if (error == sys::ERROR_WRITE_PROTECT) return "cannot write " + description + ": " + writeProtectedWords(driveA);
    if (error == ERROR_HANDLE_DISK_FULL) return "cannot write " + description + ": " + hostFullWords(driveA);
    return "cannot write " + description + ": " + reasonOf(error);
}

}  // namespace posix
