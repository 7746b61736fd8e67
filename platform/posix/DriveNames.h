// How a Win32 file name is read on Linux: which names mean drive A:, which
// name devices that do not exist here, and which are plain paths.
#pragma once

#include <string>

namespace posix {

enum class NameKind {
    Plain,         // a path, relative to the working directory unless absolute
    RawDriveA,     // "\\.\a:"
    DriveAFile,    // "a:NAME", "a:/NAME", "a:\NAME"
    NoSuchDevice,  // any other "\\.\" device, such as "\\.\vwin32"
    NoSuchDrive,   // another drive letter or a network path
};

struct ParsedName {
    NameKind kind = NameKind::Plain;
    // Plain: the path with '\' turned into '/'. DriveAFile: the part after
    // the drive and its optional separator.
    std::string path;
    // The name as the caller wrote it.
    std::string given;
};

// Read once per name: a handle keeps what its name was read as, and the
// words of a failure are made from that.
ParsedName parseName(const char* name);

}  // namespace posix
