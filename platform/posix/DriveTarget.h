// The file or block device that stands for drive A:, opened for raw access
// or for its file system.
#pragma once

#include <cstdint>
#include <string>

#include "platform/kernel.h"
#include "platform/posix/Fd.h"

namespace posix {

// DORVANE_DRIVE_A, or "A.img" in the working directory when it is unset.
std::string driveATargetPath();

struct DriveTarget {
    UniqueFd fd;
    std::uint64_t size = 0;
    bool blockDevice = false;
    int openErrno = 0;  // why open(2) failed, when it did

    // The Win32 code for a transfer that failed with `error`: `ioFailure`
    // for EIO; a device set read-only refuses writes with EPERM, which is a
    // write-protected diskette; an image's own file system that is full is
    // not a full diskette.
    sys::DWORD transferError(int error, sys::DWORD ioFailure) const;
};

// Opens the target with open(2) flags `mode`. A missing target is an empty
// drive (ERROR_NOT_READY); a folder or a character device is no diskette.
sys::DWORD openDriveTarget(const std::string& path, int mode, DriveTarget& out);

}  // namespace posix
