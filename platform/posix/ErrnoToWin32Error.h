// Win32 error codes the Linux services report beyond those of the facade,
// and the translation of errno values into Win32 codes.
#pragma once

#include "platform/kernel.h"

namespace posix {

constexpr sys::DWORD ERROR_TOO_MANY_OPEN_FILES = 4;
constexpr sys::DWORD ERROR_NOT_SAME_DEVICE = 17;
constexpr sys::DWORD ERROR_GEN_FAILURE = 31;
// The file system that holds drive A:'s image is full; the diskette itself
// may have room (ERROR_DISK_FULL is the diskette's own).
constexpr sys::DWORD ERROR_HANDLE_DISK_FULL = 39;
constexpr sys::DWORD ERROR_CANNOT_MAKE = 82;
constexpr sys::DWORD ERROR_INSUFFICIENT_BUFFER = 122;
constexpr sys::DWORD ERROR_NEGATIVE_SEEK = 131;
constexpr sys::DWORD ERROR_DIR_NOT_EMPTY = 145;
constexpr sys::DWORD ERROR_NOT_LOCKED = 158;
constexpr sys::DWORD ERROR_FILENAME_EXCED_RANGE = 206;
constexpr sys::DWORD ERROR_FILE_TOO_LARGE = 223;
constexpr sys::DWORD ERROR_PRIVILEGE_NOT_HELD = 1314;
constexpr sys::DWORD ERROR_CANT_RESOLVE_FILENAME = 1921;  // a loop of symbolic links

// The Win32 code closest to an errno value from a file operation.
sys::DWORD win32FromErrno(int error);

// ENOENT means "file not found" when the folder exists and "path not found"
// when the folder part of `path` does not, as Windows tells the two apart.
sys::DWORD win32NotFound(const char* path);

}  // namespace posix
