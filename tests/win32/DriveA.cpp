#include "tests/win32/DriveA.h"

#include <cstdlib>

#include "platform/windows/WinApi.h"

namespace wintest {

std::unique_ptr<MappedDriveA> MappedDriveA::fromEnvironment() {
    const char* root = std::getenv("DORVANE_WINE_DRIVE_A");
    if (!root || !*root) return nullptr;
    return std::unique_ptr<MappedDriveA>(new MappedDriveA(windowsPath(root)));
}

MappedDriveA::~MappedDriveA() {
    useReadOnlyImage(false);
    emptyFolder();
    DeleteFileA(image().c_str());
}

void MappedDriveA::emptyFolder() {
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((folder() + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        const std::string full = folder() + "\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            removeTree(full);
        else
            DeleteFileA(full.c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

bool MappedDriveA::reset(const Bytes& bytes) {
    emptyFolder();
    return useReadOnlyImage(false) && writeFile(image(), bytes);
}

bool MappedDriveA::useReadOnlyImage(bool readOnly) {
    if (readOnly == readOnly_) return true;
    // The raw device is a fixed path; whole folders trade places under it.
    const std::string drive = root_ + "\\drive", spare = root_ + "\\drive.writable", locked = root_ + "\\readonly";
    bool ok;
    if (readOnly)
        ok = MoveFileA(drive.c_str(), spare.c_str()) && MoveFileA(locked.c_str(), drive.c_str());
    else
        ok = MoveFileA(drive.c_str(), locked.c_str()) && MoveFileA(spare.c_str(), drive.c_str());
    if (ok) readOnly_ = readOnly;
    return ok;
}

}  // namespace wintest
