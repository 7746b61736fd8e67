// One folder for a diskette benchmark, as ./run.sh's demo folder: the sample
// regeneration image "Dsck.tr" cut or extended to a number of sectors, and a
// blank formatted "A.img". The process works in it for the scene's life.
// The folder is the tests' temporary folder, on the disk the program would
// use (bench/run.sh points TMPDIR into its build folder).
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <stdexcept>
#include <string>

#include "media/ImageLayout.h"
#include "tests/support/Peers.h"
#include "tools/SampleDiskette.h"
#include "tools/SampleImage.h"

namespace bench {

class Scene {
public:
    explicit Scene(std::int32_t imageSectors) : previous_(std::filesystem::current_path()) {
        std::ostringstream out(std::ios::binary);
        sample::writeImage(out, imageSectors);
        const std::string text = std::move(out).str();
        image_.assign(text.begin(), text.end());
        blank_ = sample::buildBlankDiskette();
        peers::writeFile(dir_ / "Dsck.tr", image_);
        peers::writeFile(dir_ / "A.img", blank_);
        std::filesystem::current_path(dir_.path());
        ::unsetenv("DORVANE_DRIVE_A");  // drive A: is A.img here
        restoreBlank();
    }
    ~Scene() { std::filesystem::current_path(previous_); }

    const peers::Bytes& image() const { return image_; }

    // The blank diskette back in place and on the disk, so that a timed run
    // starts with no write-back pending.
    void restoreBlank() const {
        const int fd = ::open("A.img", O_WRONLY | O_CLOEXEC);
        const bool ok = fd >= 0 && ::pwrite(fd, blank_.data(), blank_.size(), 0) == static_cast<ssize_t>(blank_.size()) &&
                        ::fdatasync(fd) == 0;
        if (fd >= 0) ::close(fd);
        if (!ok) throw std::runtime_error("cannot restore A.img");
    }

    // What is wrong with A.img after a run, read back by mtools; empty when
    // nothing is. Sectors 1-32 (tables, root directory) depend on who wrote
    // the files and are left to the two files' check.
    std::string check() const {
        const peers::Bytes disk = peers::readFile("A.img");
        const peers::Bytes rebuilt = peers::rebuildDiskette(image_);
        const auto same = [&](std::size_t from, std::size_t to) {
            return std::equal(disk.begin() + static_cast<std::ptrdiff_t>(from * 512),
                              disk.begin() + static_cast<std::ptrdiff_t>(to * 512),
                              rebuilt.begin() + static_cast<std::ptrdiff_t>(from * 512));
        };
        if (disk.size() != rebuilt.size() || !same(0, 1) || !same(33, media::RawAreaSectors)) return "raw area";
        if (peers::runCommand("mcopy -n -i A.img ::DSCK.TR ::ZELKOR.EXE .", dir_.path()).exitCode != 0) return "mcopy";
        peers::Bytes copy(image_.begin(), image_.begin() + std::min<std::ptrdiff_t>(720896, image_.size()));
        copy.resize(720896, 0);
        if (peers::readFile(dir_ / "DSCK.TR") != copy) return "DSCK.TR";
        if (peers::readFile(dir_ / "ZELKOR.EXE") != peers::carveConsoleProgram(image_)) return "ZELKOR.EXE";
        return {};
    }

private:
    peers::TempDir dir_;
    std::filesystem::path previous_;
    peers::Bytes image_;
    peers::Bytes blank_;
};

}  // namespace bench
