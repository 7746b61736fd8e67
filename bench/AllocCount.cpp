// Counts the heap allocations of a Create Diskette run between its first and
// its last progress report, that is during the transfers:
//   memory: on a kernel that never allocates, so whatever is counted is the
//           shell's own code; it must be 0;
//   posix:  on the Linux services with a diskette image on disk, which
//           allocate when they open files.
// Each twice, the first being the process's first run (cold caches in the C
// library, such as the time zone). Prints JSON; exits 1 when a run fails or
// leaves a wrong diskette (a non-zero count is a finding, not a failure).
#include <algorithm>
#include <array>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>

#include "bench/Scene.h"
#include "media/DisketteWriter.h"
#include "platform/posix/PosixKernel.h"

extern "C" {
void* __libc_malloc(std::size_t);
void* __libc_calloc(std::size_t, std::size_t);
void* __libc_realloc(void*, std::size_t);
void* __libc_memalign(std::size_t, std::size_t);
void __libc_free(void*);
}

namespace {

// The one heap's counters: plain storage, ready before the first allocation.
std::atomic<bool> counting;
std::atomic<std::size_t> count, bytes;

void note(std::size_t size) {
    if (!counting.load(std::memory_order_relaxed)) return;
    count.fetch_add(1);
    bytes.fetch_add(size);
}

// The image, drive A:'s sectors and the two diskette files in fixed arrays;
// it serves exactly the calls of a Create Diskette run and allocates nothing.
class MemoryKernel final : public sys::Kernel {
public:
    struct File {
        const char* name;
        std::size_t size = 0;
        std::uint64_t position = 0;
        bool open = false;
        std::array<std::uint8_t, 1474560> bytes{};
    };
    std::array<File, 4> files{File{"Dsck.tr"}, File{"\\\\.\\a:"}, File{"a:/Dsck.tr"}, File{"a:zelkor.exe"}};

    explicit MemoryKernel(const peers::Bytes& image) {
        files[0].size = std::min(image.size(), std::size_t{1408 * 512});
        std::copy_n(image.begin(), files[0].size, files[0].bytes.begin());
        files[1].size = files[1].bytes.size();
    }
    sys::Handle CreateFileA(const char* name, sys::DWORD, sys::DWORD, sys::DWORD, sys::DWORD) override {
        for (std::size_t i = 0; i < files.size(); ++i)
            if (std::strcmp(files[i].name, name) == 0 && !files[i].open) {
                files[i].open = true;
                files[i].position = 0;
                return static_cast<sys::Handle>(i + 4);
            }
        return sys::INVALID_HANDLE_VALUE;
    }
    sys::DWORD SetFilePointer(sys::Handle h, sys::LONG distance, sys::DWORD) override {
        lastError_ = sys::NO_ERROR;
        return static_cast<sys::DWORD>(file(h).position = static_cast<std::uint64_t>(distance));
    }
    sys::BOOL ReadFile(sys::Handle h, void* buffer, sys::DWORD wanted, sys::DWORD* done) override {
        File& f = file(h);
        *done = static_cast<sys::DWORD>(std::min<std::uint64_t>(wanted, f.size - std::min(f.position, f.size)));
        std::memcpy(buffer, f.bytes.data() + f.position, *done);
        f.position += *done;
        return true;
    }
    sys::BOOL WriteFile(sys::Handle h, const void* buffer, sys::DWORD wanted, sys::DWORD* done) override {
        File& f = file(h);
        if (f.position + wanted > f.bytes.size()) return false;
        std::memcpy(f.bytes.data() + f.position, buffer, wanted);
        f.position += wanted;
        f.size = std::max<std::size_t>(f.size, f.position);
        *done = wanted;
        return true;
    }
    sys::BOOL CloseHandle(sys::Handle h) override { return !(file(h).open = false); }
    sys::DWORD GetFileSize(sys::Handle h, sys::DWORD* high) override {
        if (high != nullptr) *high = 0;
        lastError_ = sys::NO_ERROR;
        return static_cast<sys::DWORD>(file(h).size);
    }
    sys::BOOL MoveFileA(const char*, const char*) override { return false; }
    sys::BOOL DeleteFileA(const char*) override { return false; }
    sys::DWORD GetLastError() override { return lastError_; }
    // The volume's lock and dismount succeed; its geometry is not known, as
    // for an image file, so the writer asks the size.
    sys::BOOL DeviceIoControl(sys::Handle, sys::DWORD code, void*, sys::DWORD, void*, sys::DWORD, sys::DWORD*) override {
        lastError_ = code == sys::FSCTL_LOCK_VOLUME || code == sys::FSCTL_DISMOUNT_VOLUME ? sys::NO_ERROR
                                                                                         : sys::ERROR_NOT_SUPPORTED;
        return lastError_ == sys::NO_ERROR;
    }
    sys::BOOL CreateProcessA(const char*, char*, sys::BOOL, sys::DWORD, const sys::StartupInfo&,
                             sys::ProcessInformation*) override {
        return false;
    }
    sys::BOOL GetVersionExA(sys::OsVersionInfo*) override { return false; }

private:
    sys::DWORD lastError_ = sys::NO_ERROR;
    File& file(sys::Handle h) { return files[static_cast<std::size_t>(h - 4)]; }
};

// Notes the counters at the first and the last report; allocates nothing.
struct Window final : media::DisketteProgress {
    void Report(std::optional<std::int32_t>) override {
        if (reports++ == 0) first = {count.load(), bytes.load()};
        last = {count.load(), bytes.load()};
    }
    int reports = 0;
    std::pair<std::size_t, std::size_t> first{}, last{};
};

void countRun(sys::Kernel& kernel, const std::function<std::string()>& check, bool lastOne) {
    Window window;
    count = 0;
    bytes = 0;
    counting = true;
    const bool ok = media::WriteRegeneratingDiskette(kernel, window);
    counting = false;
    const std::string wrong = !ok ? "the run failed" : window.reports != 22 ? "not 22 reports" : check();
    std::printf("    {\"wrong\": \"%s\", \"window_allocations\": %zu, \"window_bytes\": %zu, "
                "\"run_allocations\": %zu, \"run_bytes\": %zu}%s\n",
                wrong.c_str(), window.last.first - window.first.first, window.last.second - window.first.second,
                count.load(), bytes.load(), lastOne ? "" : ",");
    if (!wrong.empty()) std::exit(1);
}

}  // namespace

int main() {
    const bench::Scene scene(1408);
    std::printf("{\n  \"memory\": [\n");
    for (int run = 0; run < 2; ++run) {
        const auto kernel = std::make_unique<MemoryKernel>(scene.image());
        countRun(*kernel, [&] {
            const peers::Bytes raw = peers::rebuildDiskette(scene.image());
            const peers::Bytes program = peers::carveConsoleProgram(scene.image());
            return std::equal(raw.begin(), raw.begin() + 788 * 512, kernel->files[1].bytes.begin()) &&
                           kernel->files[2].size == 720896 &&
                           std::equal(scene.image().begin(), scene.image().begin() + 720896,
                                      kernel->files[2].bytes.begin()) &&
                           kernel->files[3].size == program.size() &&
                           std::equal(program.begin(), program.end(), kernel->files[3].bytes.begin())
                       ? std::string() : std::string("wrong diskette");
        }, run == 1);
    }
    std::printf("  ],\n  \"posix\": [\n");
    posix::PosixKernel kernel;
    for (int run = 0; run < 2; ++run) {
        scene.restoreBlank();
        countRun(kernel, [&] { return scene.check(); }, run == 1);
    }
    std::printf("  ]\n}\n");
}

// The replacements (glibc lets a program replace these; operator new and the
// C library's own callers come here too).
extern "C" {
void* malloc(std::size_t n) { return note(n), __libc_malloc(n); }
void free(void* p) { __libc_free(p); }
void* calloc(std::size_t n, std::size_t size) { return note(n * size), __libc_calloc(n, size); }
void* realloc(void* p, std::size_t n) { return note(n), __libc_realloc(p, n); }
void* memalign(std::size_t a, std::size_t n) { return note(n), __libc_memalign(a, n); }
void* aligned_alloc(std::size_t a, std::size_t n) { return note(n), __libc_memalign(a, n); }
int posix_memalign(void** out, std::size_t a, std::size_t n) {
    note(n);
    *out = __libc_memalign(a, n);
    return *out != nullptr ? 0 : 12;  // ENOMEM
}
}
