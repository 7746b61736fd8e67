// Drive A: as cmake/wine-run.sh maps it for a test run: its folder (what
// "a:NAME" reaches) and a diskette image (what "\\.\a:" opens), both in a
// scratch folder named by DORVANE_WINE_DRIVE_A, beside a diskette image that
// cannot be written.
#pragma once

#include <memory>
#include <string>

#include "tests/win32/TestFiles.h"

namespace wintest {

class MappedDriveA {
public:
    // Null when the run has no drive A: of its own.
    static std::unique_ptr<MappedDriveA> fromEnvironment();
    ~MappedDriveA();
    MappedDriveA(const MappedDriveA&) = delete;
    MappedDriveA& operator=(const MappedDriveA&) = delete;

    std::string folder() const { return root_ + "\\A"; }
    std::string image() const { return root_ + "\\drive\\A.img"; }
    // An empty folder and a fresh image holding `bytes`.
    bool reset(const Bytes& bytes);
    // Puts the read-only image where the raw device points, or back.
    bool useReadOnlyImage(bool readOnly);

private:
    explicit MappedDriveA(std::string root) : root_(std::move(root)) {}
    void emptyFolder();

    std::string root_;
    bool readOnly_ = false;
};

}  // namespace wintest
