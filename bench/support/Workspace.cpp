#include "bench/support/Workspace.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>
#include <stdexcept>
#include <string>

#include "tools/SampleDiskette.h"
#include "tools/SampleImage.h"

namespace bench {
namespace {

fs::path makeFolder(const fs::path& parent) {
    std::string pattern = (parent / "dorvane-bench.XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp in " + parent.string() + " failed");
    return pattern;
}

Bytes sampleImage(std::int32_t sectors) {
    std::ostringstream out(std::ios::binary);
    sample::writeImage(out, sectors);
    const std::string text = std::move(out).str();
    return Bytes(text.begin(), text.end());
}

}  // namespace

Workspace::Workspace(std::int32_t imageSectors, const fs::path& parent)
    : dir_(makeFolder(parent)), image_(sampleImage(imageSectors)), blank_(sample::buildBlankDiskette()) {
    writeFile(imagePath(), image_);
    writeFile(drivePath(), blank_);
    restoreBlank();
}

Workspace::~Workspace() {
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
}

void Workspace::restoreBlank() {
    const int fd = ::open(drivePath().c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) throw std::runtime_error("cannot open " + drivePath().string());
    std::size_t done = 0;
    while (done < blank_.size()) {
        const ssize_t n = ::pwrite(fd, blank_.data() + done, blank_.size() - done, static_cast<off_t>(done));
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    const bool ok = done == blank_.size() && ::ftruncate(fd, static_cast<off_t>(blank_.size())) == 0 &&
                    ::fdatasync(fd) == 0;
    ::close(fd);
    if (!ok) throw std::runtime_error("cannot restore " + drivePath().string());
}

InWorkspace::InWorkspace(const Workspace& workspace) : previousDir_(fs::current_path()) {
    fs::current_path(workspace.dir());
    ::setenv("DORVANE_DRIVE_A", workspace.drivePath().c_str(), 1);
}

InWorkspace::~InWorkspace() {
    ::unsetenv("DORVANE_DRIVE_A");
    std::error_code ignored;
    fs::current_path(previousDir_, ignored);
}

}  // namespace bench
