#include "bench/support/BareDiskette.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

#include "media/ImageLayout.h"
#include "media/RawTransfers.h"
#include "platform/fat12/Volume.h"
#include "platform/posix/FdStorage.h"

namespace bench {
namespace {

using fat12::Status;

// Closes on every path out of write().
struct Fd {
    int fd;
    explicit Fd(int f) : fd(f) {}
    ~Fd() {
        if (fd >= 0) ::close(fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
};

// The bytes there are; the rest of the buffer is zeroed as the shell does
// past the end of a short image.
ssize_t readAt(int fd, std::uint8_t* buffer, std::size_t length, std::size_t offset) {
    const ssize_t n = ::pread(fd, buffer, length, static_cast<off_t>(offset));
    if (n >= 0 && static_cast<std::size_t>(n) < length) std::memset(buffer + n, 0, length - static_cast<std::size_t>(n));
    return n;
}

}  // namespace

BareDiskette::BareDiskette() : buffer_(65536) {}

std::string BareDiskette::write(const std::filesystem::path& imagePath, const std::filesystem::path& drivePath) {
    const Fd image(::open(imagePath.c_str(), O_RDONLY | O_CLOEXEC));
    if (image.fd < 0) return "open image";
    std::uint8_t* const buffer = buffer_.data();

    {
        const Fd raw(::open(drivePath.c_str(), O_WRONLY | O_DSYNC | O_CLOEXEC));
        if (raw.fd < 0) return "open drive O_DSYNC";
        std::size_t diskette = 0;
        for (const media::RawTransfer& t : media::RawTransfers) {
            const auto bytes = static_cast<std::size_t>(t.count) * media::SectorSize;
            if (readAt(image.fd, buffer, bytes, static_cast<std::size_t>(t.imageFirst) * media::SectorSize) !=
                static_cast<ssize_t>(bytes))
                return "pread raw transfer";
            if (::pwrite(raw.fd, buffer, bytes, static_cast<off_t>(diskette)) != static_cast<ssize_t>(bytes))
                return "pwrite raw transfer";
            diskette += bytes;
        }
    }

    const Fd files(::open(drivePath.c_str(), O_RDWR | O_CLOEXEC));
    struct stat info {};
    if (files.fd < 0 || ::fstat(files.fd, &info) != 0) return "open drive for files";
    posix::FdStorage storage(files.fd, static_cast<std::uint64_t>(info.st_size), true);
    fat12::Volume volume(storage);
    if (volume.mount() != Status::Ok) return "mount";

    std::size_t written = 0;
    if (volume.create("Dsck.tr", {}) != Status::Ok) return "create Dsck.tr";
    for (std::int32_t block = 0; block < media::ImageCopyBlocks; ++block) {
        const auto offset = static_cast<std::size_t>(block) * media::ImageCopyBlockBytes;
        if (readAt(image.fd, buffer, media::ImageCopyBlockBytes, offset) < 0) return "pread image block";
        if (volume.write(buffer, media::ImageCopyBlockBytes, written) != Status::Ok) return "write Dsck.tr";
    }
    if (volume.close() != Status::Ok || ::fdatasync(files.fd) != 0) return "close Dsck.tr";

    if (volume.create("zelkor.exe", {}) != Status::Ok) return "create zelkor.exe";
    for (const media::SectorRun& run : media::ConsoleProgramRuns) {
        const auto bytes = static_cast<std::size_t>(run.bytes());
        if (readAt(image.fd, buffer, bytes, static_cast<std::size_t>(run.first) * media::SectorSize) !=
            static_cast<ssize_t>(bytes))
            return "pread program run";
        if (volume.write(buffer, bytes, written) != Status::Ok) return "write zelkor.exe";
    }
    if (volume.close() != Status::Ok || ::fdatasync(files.fd) != 0) return "close zelkor.exe";
    return {};
}

}  // namespace bench
