// The words a Linux user can act on for a failed kernel call: which file or
// device, and what the system said, with what to do about it where there is
// something to do.
#pragma once

#include <string>

#include "platform/kernel.h"
#include "platform/posix/DriveNames.h"

namespace posix {

// What a name stands for here, for the words: "drive A: (/dev/fd0)",
// "a:Dsck.tr on drive A: (A.img)" or a plain file's path.
std::string describeName(const ParsedName& name, const std::string& driveA);

// Opening `name` (described by describeName) failed with `error`.
std::string openCause(const ParsedName& name, const std::string& driveA, sys::DWORD error, bool forWriting);

// Locking drive A: for raw writing failed.
std::string lockCause(const std::string& driveA);

// Writing what `description` names failed with `error`; drive A:'s target
// is `driveA`.
std::string writeCause(const std::string& description, const std::string& driveA, sys::DWORD error);

// Drive A:'s target holds `bytes`, where a 1.44 MB diskette holds
// DriveATargetBytes: too small, or so large that it is no diskette at all.
inline constexpr unsigned long long DriveATargetBytes = 2880ull * 512;
std::string driveSizeCause(const std::string& driveA, unsigned long long bytes);

// The system's reason behind a Win32 error, in a few words.
std::string reasonOf(sys::DWORD error);

}  // namespace posix
