// Loaded into the real program with LD_PRELOAD by the keyboard tests: holds
// the run's first raw write (drive A:'s boot sector) until the test lets it
// go, so that a run is surely in progress while the test presses keys. The
// folder named by DORVANE_HOLD_WRITE gets "held" when the write is held; a
// file "go" there lets it continue (after a minute it continues anyway).
// DORVANE_SLOW_DRIVE (bytes a second) makes every write to a diskette image
// (a file named *.img) take as long as on a slow drive: a transfer of the
// run then waits well under a second, and the whole run some seconds.
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <string>

namespace {

using Pwrite = ssize_t (*)(int, const void*, size_t, off_t);

bool heldOnce = false;

void holdBootSectorWrite(size_t count, off_t offset) {
    const char* folder = std::getenv("DORVANE_HOLD_WRITE");
    if (heldOnce || folder == nullptr || offset != 0 || count != 512) return;
    heldOnce = true;
    const std::string held = std::string(folder) + "/held", go = std::string(folder) + "/go";
    ::close(::open(held.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644));
    struct stat info {};
    const timespec tick{0, 10'000'000};
    for (int i = 0; i < 6000 && ::stat(go.c_str(), &info) != 0; ++i) ::nanosleep(&tick, nullptr);
}

void slowDrive(int fd, size_t count) {
    const char* rate = std::getenv("DORVANE_SLOW_DRIVE");
    if (rate == nullptr) return;
    char link[4096];
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    const ssize_t length = ::readlink(self.c_str(), link, sizeof link - 1);
    if (length < 4 || std::string(link, static_cast<size_t>(length)).substr(static_cast<size_t>(length) - 4) != ".img")
        return;
    const long nanoseconds = static_cast<long>(count * 1'000'000'000.0 / std::atof(rate));
    const timespec wait{nanoseconds / 1'000'000'000, nanoseconds % 1'000'000'000};
    ::nanosleep(&wait, nullptr);
}

Pwrite next(const char* name) { return reinterpret_cast<Pwrite>(::dlsym(RTLD_NEXT, name)); }

}  // namespace

extern "C" ssize_t pwrite(int fd, const void* data, size_t count, off_t offset) {
    holdBootSectorWrite(count, offset);
    slowDrive(fd, count);
    static const Pwrite real = next("pwrite");
    return real(fd, data, count, offset);
}

extern "C" ssize_t pwrite64(int fd, const void* data, size_t count, off_t offset) {
    holdBootSectorWrite(count, offset);
    slowDrive(fd, count);
    static const Pwrite real = next("pwrite64");
    return real(fd, data, count, offset);
}
