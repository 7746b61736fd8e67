#include "platform/posix/FailureCause.h"

#include <cerrno>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/posix/DriveNames.h"
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

// Who may write what `path` names, and how this user becomes one of them.
std::string permissionWords(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return "permission denied";
    }
    if (info.st_uid == ::geteuid()) {
        return "permission denied; it is read-only for you: chmod u+w " + path;
    }
    // Floppy and disk devices are written by the members of their group.
    if (S_ISBLK(info.st_mode) || (info.st_mode & S_IWGRP) != 0) {
        const std::string group = groupName(info.st_gid);
        return "permission denied; members of the group that owns it (" + group +
               ") may write it: sudo usermod -aG " + group + " $USER, then log in again; or run as root";
    }
    return "permission denied; only its owner (" + userName(info.st_uid) + ") or root may write it";
}

std::string missingDriveWords(const std::string& driveA) {
    struct stat info {};
    if (::stat(driveA.c_str(), &info) == 0) {
        return driveWords(driveA) + ": no diskette in the drive";
    }
    return driveWords(driveA) +
           ": no such image file or device; name it with --drive PATH or DORVANE_DRIVE_A, or put A.img in the "
           "working folder";
}

std::string sizeWords(const std::string& driveA) {
    struct stat info {};
    if (::stat(driveA.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return driveWords(driveA) + " is smaller than a 1.44 MB diskette (" + std::to_string(DriveATargetBytes) +
               " bytes)";
    }
    return driveWords(driveA) + " is too small: " + std::to_string(info.st_size) +
           " bytes, where a 1.44 MB diskette has " + std::to_string(DriveATargetBytes);
}

}  // namespace

std::string describeName(const char* name, const std::string& driveA) {
    const ParsedName parsed = parseName(name);
    switch (parsed.kind) {
    case NameKind::RawDriveA: return driveWords(driveA);
    case NameKind::DriveAFile: return "a:" + parsed.path + " on " + driveWords(driveA);
    case NameKind::Plain: break;
    case NameKind::NoSuchDevice:
    case NameKind::NoSuchDrive: return name;
    }
    if (!parsed.path.empty() && parsed.path[0] == '/') {
        return parsed.path;
    }
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
    default: return "system error " + std::to_string(error);
    }
}

std::string openCause(const char* name, const std::string& driveA, sys::DWORD error, bool forWriting) {
    const ParsedName parsed = parseName(name);
    const bool onDriveA = parsed.kind == NameKind::RawDriveA || parsed.kind == NameKind::DriveAFile;
    const std::string verb = forWriting ? "cannot write " : "cannot open ";
    if (onDriveA) {
        if (error == sys::ERROR_NOT_READY) {
            return missingDriveWords(driveA);
        }
        struct stat info {};
        if (error == sys::ERROR_ACCESS_DENIED && ::stat(driveA.c_str(), &info) == 0 && !S_ISREG(info.st_mode) &&
            !S_ISBLK(info.st_mode)) {
            return driveWords(driveA) + " is neither a diskette image file nor a block device";
        }
        if (error == sys::ERROR_ACCESS_DENIED || error == sys::ERROR_WRITE_PROTECT) {
            // Read-only for this user, or truly read-only: access(2) tells which.
            if (::access(driveA.c_str(), W_OK) != 0 && errno == EACCES) {
                return verb + driveWords(driveA) + ": " + permissionWords(driveA);
            }
        }
    }
    if (!onDriveA && error == sys::ERROR_ACCESS_DENIED) {
        const std::string path = describeName(name, driveA);
        return verb + path + ": " + permissionWords(path);
    }
    return verb + describeName(name, driveA) + ": " + reasonOf(error);
}

std::string lockCause(const std::string& driveA) {
    struct stat info {};
    if (::stat(driveA.c_str(), &info) == 0 && S_ISBLK(info.st_mode)) {
        return driveWords(driveA) + " is mounted or in use: unmount it (umount " + driveA + ") and try again";
    }
    return driveWords(driveA) + " is in use by another program";
}

std::string smallDriveCause(const std::string& driveA) { return sizeWords(driveA); }

std::string writeCause(const std::string& description, const std::string& driveA, sys::DWORD error) {
    if (error == sys::ERROR_SECTOR_NOT_FOUND) {
        return sizeWords(driveA);
    }
    return "cannot write " + description + ": " + reasonOf(error);
}

}  // namespace posix
