#include "bench/alloc/CountingAllocator.h"

#include <cxxabi.h>
#include <dlfcn.h>
#include <execinfo.h>

#include <array>
#include <atomic>
#include <cstdlib>
#include <cstring>

extern "C" {
void* __libc_malloc(std::size_t);
void __libc_free(void*);
void* __libc_calloc(std::size_t, std::size_t);
void* __libc_realloc(void*, std::size_t);
void* __libc_memalign(std::size_t, std::size_t);
void* __libc_valloc(std::size_t);
void* __libc_pvalloc(std::size_t);
}

namespace alloc {
namespace {

constexpr std::size_t MaxSites = 64;
constexpr int MaxFrames = 24;

struct RawSite {
    std::size_t ordinal;
    std::size_t bytes;
    int depth;
    std::array<void*, MaxFrames> frames;
};

// The one heap's counters. Plain storage with no constructor of its own, so
// it is ready before the first allocation of the process.
struct Counters {
    std::atomic<bool> counting;
    std::atomic<std::size_t> count;
    std::atomic<std::size_t> bytes;
    std::atomic<bool> keepingSites;
    std::atomic<std::size_t> sitesKept;
    std::array<RawSite, MaxSites> sites;
};
Counters counters;

// Set while the hook itself runs: backtrace() may allocate, and that is not
// the program's allocation.
thread_local bool inHook = false;

void note(std::size_t bytes) {
    if (!counters.counting.load(std::memory_order_relaxed) || inHook) return;
    inHook = true;
    const std::size_t ordinal = counters.count.fetch_add(1);
    counters.bytes.fetch_add(bytes);
    const std::size_t slot = counters.sitesKept.load();
    if (counters.keepingSites.load() && slot < MaxSites) {
        RawSite& site = counters.sites[slot];
        site.ordinal = ordinal;
        site.bytes = bytes;
        site.depth = ::backtrace(site.frames.data(), MaxFrames);
        counters.sitesKept.store(slot + 1);
    }
    inHook = false;
}

std::string symbolize(void* address) {
    Dl_info info{};
    if (::dladdr(address, &info) == 0 || info.dli_sname == nullptr) {
        const char* object = info.dli_fname != nullptr ? std::strrchr(info.dli_fname, '/') : nullptr;
        return std::string(object != nullptr ? object + 1 : "?") + "+" +
               std::to_string(reinterpret_cast<std::uintptr_t>(address) -
                              reinterpret_cast<std::uintptr_t>(info.dli_fbase));
    }
    int status = 0;
    char* demangled = abi::__cxa_demangle(info.dli_sname, nullptr, nullptr, &status);
    std::string name = status == 0 && demangled != nullptr ? demangled : info.dli_sname;
    std::free(demangled);
    return name;
}

bool isAllocatorFrame(const std::string& name) {
    static const char* const own[] = {"alloc::", "malloc", "calloc", "realloc", "memalign", "operator new",
                                      "posix_memalign", "aligned_alloc", "backtrace"};
    for (const char* prefix : own)
        if (name.rfind(prefix, 0) == 0) return true;
    return false;
}

}  // namespace

void startCounting() {
    // The first backtrace() loads the unwinder; let that happen now.
    std::array<void*, 4> warm{};
    ::backtrace(warm.data(), static_cast<int>(warm.size()));
    counters.count = 0;
    counters.bytes = 0;
    counters.sitesKept = 0;
    counters.keepingSites = false;
    counters.counting = true;
}

void stopCounting() { counters.counting = false; }

void keepSites(bool on) { counters.keepingSites = on; }

std::size_t allocationCount() { return counters.count.load(); }
std::size_t allocatedBytes() { return counters.bytes.load(); }

std::vector<Site> keptSites() {
    std::vector<Site> sites;
    for (std::size_t i = 0; i < counters.sitesKept.load(); ++i) {
        const RawSite& raw = counters.sites[i];
        std::vector<std::string> names;
        for (int f = 0; f < raw.depth; ++f) names.push_back(symbolize(raw.frames[static_cast<std::size_t>(f)]));
        // The hook, malloc and operator new sit at the top; the caller starts
        // after the last of them.
        std::size_t first = 0;
        for (std::size_t f = 0; f < names.size() && f < 6; ++f)
            if (isAllocatorFrame(names[f])) first = f + 1;
        sites.push_back(Site{raw.ordinal, raw.bytes,
                             std::vector<std::string>(names.begin() + static_cast<std::ptrdiff_t>(first), names.end())});
    }
    return sites;
}

}  // namespace alloc

// The replacements. glibc documents that a program may replace these; its
// own callers (fopen, tzset, ...) then come here as well.
extern "C" {

void* malloc(std::size_t size) {
    alloc::note(size);
    return __libc_malloc(size);
}

void free(void* p) { __libc_free(p); }

void* calloc(std::size_t n, std::size_t size) {
    alloc::note(n * size);
    return __libc_calloc(n, size);
}

void* realloc(void* p, std::size_t size) {
    if (size != 0) alloc::note(size);
    return __libc_realloc(p, size);
}

void* memalign(std::size_t alignment, std::size_t size) {
    alloc::note(size);
    return __libc_memalign(alignment, size);
}

void* aligned_alloc(std::size_t alignment, std::size_t size) {
    alloc::note(size);
    return __libc_memalign(alignment, size);
}

int posix_memalign(void** out, std::size_t alignment, std::size_t size) {
    if (alignment % sizeof(void*) != 0 || (alignment & (alignment - 1)) != 0) return 22;  // EINVAL
    alloc::note(size);
    void* p = __libc_memalign(alignment, size);
    if (p == nullptr) return 12;  // ENOMEM
    *out = p;
    return 0;
}

void* valloc(std::size_t size) {
    alloc::note(size);
    return __libc_valloc(size);
}

void* pvalloc(std::size_t size) {
    alloc::note(size);
    return __libc_pvalloc(size);
}

}  // extern "C"
