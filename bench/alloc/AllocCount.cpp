// Counts the heap allocations of a Create Diskette run between its first and
// its last progress report, that is during the transfers:
//   memory: on a kernel that never allocates, so whatever is counted is the
//           shell's own code; it must be 0;
//   posix:  on the Linux services with a diskette image on disk, which
//           allocate when they open files (names, handle table, the FAT12
//           layer's tables).
// Each is run twice, the first run being the program's first (cold caches
// in the C library, such as the time zone). Prints JSON; exits 1 when a run
// fails or its result is wrong, 0 otherwise (a non-zero count is a finding
// to report, not a failure of this program).
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench/alloc/CountingAllocator.h"
#include "bench/alloc/MemoryKernel.h"
#include "bench/support/DisketteCheck.h"
#include "bench/support/Workspace.h"
#include "media/DisketteWriter.h"
#include "platform/posix/PosixKernel.h"
#include "tools/SampleImage.h"

namespace {

// Notes the counters at each report; the window is from the first report to
// the last. It allocates nothing itself.
class WindowProgress final : public media::DisketteProgress {
public:
    void Report(std::optional<std::int32_t>) override {
        const std::size_t count = alloc::allocationCount();
        const std::size_t bytes = alloc::allocatedBytes();
        if (++reports == 1) {
            firstCount = count;
            firstBytes = bytes;
            alloc::keepSites(true);
        }
        lastCount = count;
        lastBytes = bytes;
    }
    int reports = 0;
    std::size_t firstCount = 0, firstBytes = 0, lastCount = 0, lastBytes = 0;
};

struct Group {
    std::size_t count = 0;
    std::size_t bytes = 0;
};

struct Tally {
    bool ok = false;
    int reports = 0;
    std::size_t runCount = 0, runBytes = 0, windowCount = 0, windowBytes = 0;
    std::map<std::vector<std::string>, Group> windowStacks;
    std::string wrong;  // what is wrong with the result, if anything
};

constexpr std::size_t StackFramesShown = 10;

Tally countRun(sys::Kernel& kernel) {
    WindowProgress progress;
    Tally tally;
    alloc::startCounting();
    tally.ok = media::WriteRegeneratingDiskette(kernel, progress);
    alloc::stopCounting();
    tally.reports = progress.reports;
    tally.runCount = alloc::allocationCount();
    tally.runBytes = alloc::allocatedBytes();
    tally.windowCount = progress.lastCount - progress.firstCount;
    tally.windowBytes = progress.lastBytes - progress.firstBytes;
    for (alloc::Site& site : alloc::keptSites()) {
        if (site.ordinal < progress.firstCount || site.ordinal >= progress.lastCount) continue;
        if (site.frames.size() > StackFramesShown) site.frames.resize(StackFramesShown);
        Group& g = tally.windowStacks[site.frames];
        ++g.count;
        g.bytes += site.bytes;
    }
    if (!tally.ok) tally.wrong = "the run failed";
    else if (tally.reports != 22) tally.wrong = std::to_string(tally.reports) + " progress reports, not 22";
    return tally;
}

std::string checkMemoryResult(const alloc::MemoryKernel& kernel, const bench::Bytes& image) {
    const auto disk = kernel.diskette();
    const bench::Bytes raw = bench::rebuildRawArea(image);
    if (!std::equal(raw.begin(), raw.end(), disk.begin())) return "raw area differs";
    const auto copy = kernel.file("a:/Dsck.tr");
    const bench::Bytes expectedCopy = bench::imageCopy(image);
    if (!std::equal(copy.begin(), copy.end(), expectedCopy.begin(), expectedCopy.end())) return "Dsck.tr differs";
    const auto program = kernel.file("a:zelkor.exe");
    const bench::Bytes expectedProgram = bench::consoleProgram(image);
    if (!std::equal(program.begin(), program.end(), expectedProgram.begin(), expectedProgram.end()))
        return "zelkor.exe differs";
    if (kernel.openHandles() != 0) return std::to_string(kernel.openHandles()) + " handles left open";
    return {};
}

std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        if (static_cast<unsigned char>(c) < 0x20) continue;
        out += c;
    }
    return out + "\"";
}

void printTally(const char* name, const std::vector<Tally>& runs, bool last) {
    std::printf("  %s: [\n", quoted(name).c_str());
    for (std::size_t r = 0; r < runs.size(); ++r) {
        const Tally& t = runs[r];
        std::printf("    {\"ok\": %s, \"wrong\": %s, \"reports\": %d, \"run_allocations\": %zu, \"run_bytes\": %zu, "
                    "\"window_allocations\": %zu, \"window_bytes\": %zu, \"window_stacks\": [",
                    t.wrong.empty() ? "true" : "false", quoted(t.wrong).c_str(), t.reports, t.runCount, t.runBytes,
                    t.windowCount, t.windowBytes);
        bool firstStack = true;
        for (const auto& [frames, group] : t.windowStacks) {
            std::printf("%s\n      {\"count\": %zu, \"bytes\": %zu, \"frames\": [", firstStack ? "" : ",", group.count,
                        group.bytes);
            for (std::size_t f = 0; f < frames.size(); ++f)
                std::printf("%s%s", f == 0 ? "" : ", ", quoted(frames[f]).c_str());
            std::printf("]}");
            firstStack = false;
        }
        std::printf("]}%s\n", r + 1 < runs.size() ? "," : "");
    }
    std::printf("  ]%s\n", last ? "" : ",");
}

}  // namespace

int main() {
    const std::vector<std::uint8_t> head = sample::buildImageHead();

    std::vector<Tally> memoryRuns;
    for (int run = 0; run < 2; ++run) {
        const auto kernel = std::make_unique<alloc::MemoryKernel>(head);
        Tally tally = countRun(*kernel);
        if (tally.wrong.empty()) tally.wrong = checkMemoryResult(*kernel, head);
        memoryRuns.push_back(std::move(tally));
    }

    std::vector<Tally> posixRuns;
    {
        bench::Workspace workspace(1408);
        const bench::InWorkspace here(workspace);
        posix::PosixKernel kernel;
        for (int run = 0; run < 2; ++run) {
            workspace.restoreBlank();
            Tally tally = countRun(kernel);
            if (tally.wrong.empty()) tally.wrong = bench::checkDiskette(workspace.drive(), workspace.image());
            posixRuns.push_back(std::move(tally));
        }
    }

    std::printf("{\n");
    printTally("memory", memoryRuns, false);
    printTally("posix", posixRuns, true);
    std::printf("}\n");

    for (const auto* runs : {&memoryRuns, &posixRuns})
        for (const Tally& t : *runs)
            if (!t.wrong.empty()) return 1;
    return 0;
}
