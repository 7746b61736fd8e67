#include "platform/posix/DriveNames.h"

namespace posix {
namespace {

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

ParsedName classify(const char* name) {
    std::string path(name);
    for (char& c : path)
        if (c == '\\') c = '/';
    if (path.rfind("//./", 0) == 0 || path.rfind("//?/", 0) == 0) {
        const std::string device = path.substr(4);
        const bool driveA = path[2] == '.' && device.size() == 2 && lower(device[0]) == 'a' && device[1] == ':';
        return {driveA ? NameKind::RawDriveA : NameKind::NoSuchDevice, {}, {}};
    }
    if (path.rfind("//", 0) == 0) return {NameKind::NoSuchDrive, {}, {}};
    if (path.size() >= 2 && isLetter(path[0]) && path[1] == ':') {
        if (lower(path[0]) != 'a') return {NameKind::NoSuchDrive, {}, {}};
        std::string rest = path.substr(2);
        if (!rest.empty() && rest[0] == '/') rest.erase(0, 1);
        return {NameKind::DriveAFile, rest, {}};
    }
    return {NameKind::Plain, path, {}};
}

}  // namespace

ParsedName parseName(const char* name) {
    ParsedName parsed = classify(name);
    parsed.given = name;
    return parsed;
}

}  // namespace posix
