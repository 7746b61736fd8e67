// Loaded into the real program with LD_PRELOAD by the keyboard tests: holds
// the run's first raw write (drive A:'s boot sector) until the test lets it
// go, so that a run is surely in progress while the test presses keys. The
// folder named by DORVANE_HOLD_WRITE gets "held" when the write is held; a
// file "go" there lets it continue (after a minute it continues anyway).
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

Pwrite next(const char* name) { return reinterpret_cast<Pwrite>(::dlsym(RTLD_NEXT, name)); }

}  // namespace

extern "C" ssize_t pwrite(int fd, const void* data, size_t count, off_t offset) {
    holdBootSectorWrite(count, offset);
    static const Pwrite real = next("pwrite");
    return real(fd, data, count, offset);
}

extern "C" ssize_t pwrite64(int fd, const void* data, size_t count, off_t offset) {
    holdBootSectorWrite(count, offset);
    static const Pwrite real = next("pwrite64");
    return real(fd, data, count, offset);
}
