// A folder of its own for one benchmark: the sample regeneration image
// "Dsck.tr" and a blank formatted diskette image "A.img", as ./run.sh's demo
// folder holds them. It lies in the working directory, on the disk the
// program would use, not in a memory file system.
#pragma once

#include <cstdint>
#include <filesystem>

#include "bench/support/DisketteBytes.h"

namespace bench {

namespace fs = std::filesystem;

class Workspace {
public:
    // Dsck.tr is the sample image cut or extended to `imageSectors` sectors.
    explicit Workspace(std::int32_t imageSectors, const fs::path& parent = fs::current_path());
    ~Workspace();
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    const fs::path& dir() const { return dir_; }
    fs::path imagePath() const { return dir_ / "Dsck.tr"; }
    fs::path drivePath() const { return dir_ / "A.img"; }
    const Bytes& image() const { return image_; }

    // Puts the blank diskette back in place, byte for byte, and waits until
    // it is on the disk, so a timed run starts with no write-back pending.
    void restoreBlank();
    Bytes drive() const { return readFile(drivePath()); }

private:
    fs::path dir_;
    Bytes image_;
    Bytes blank_;
};

// For its lifetime the process works in the workspace's folder and drive A:
// (DORVANE_DRIVE_A) is its A.img, as for the shell started in ./run.sh's
// demo folder. Restores both at the end.
class InWorkspace {
public:
    explicit InWorkspace(const Workspace& workspace);
    ~InWorkspace();
    InWorkspace(const InWorkspace&) = delete;
    InWorkspace& operator=(const InWorkspace&) = delete;

private:
    fs::path previousDir_;
};

}  // namespace bench
