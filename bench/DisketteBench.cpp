// A Create Diskette run onto an image file, four ways side by side: the
// shell's own writer on the Linux services, the bare system calls for the
// same bytes (the reference), and what a Linux user would type instead (dd
// and mcopy, with and without a final sync). And the shell's run on images
// of different lengths, of which it reads only the first 1,408 sectors.
// Every run starts from the blank diskette, restored outside the timed part;
// every way's result is checked.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <string>
#include <vector>

#include "bench/support/BareDiskette.h"
#include "bench/support/DisketteCheck.h"
#include "bench/support/Programs.h"
#include "bench/support/Workspace.h"
#include "media/DisketteWriter.h"
#include "media/ImageLayout.h"
#include "platform/posix/PosixKernel.h"

namespace {

using Clock = std::chrono::steady_clock;

// What every way moves onto the diskette: the raw area and both files.
constexpr std::int64_t DisketteRunBytes =
    std::int64_t{media::RawAreaSectors} * media::SectorSize + media::ImageCopyRun.bytes() + media::ConsoleProgramBytes;

enum class Way { Bare, Shell, DdMcopy, DdMcopySync };
constexpr std::array<Way, 4> AllWays{Way::Bare, Way::Shell, Way::DdMcopy, Way::DdMcopySync};

class CountingProgress final : public media::DisketteProgress {
public:
    void Report(std::optional<std::int32_t>) override { ++reports; }
    int reports = 0;
};

// A workspace that every way can make its diskette in. The process works in
// its folder, as the shell does in ./run.sh's demo folder.
class Scene {
public:
    explicit Scene(std::int32_t imageSectors) : workspace_(imageSectors), here_(workspace_) {
        // The user of dd and mcopy has the rebuilt raw area and the two files
        // at hand already; making them is not timed. Upper-case names keep
        // mtools from adding long names.
        bench::writeFile("raw.bin", bench::rebuildRawArea(workspace_.image()));
        bench::writeFile("DSCK.TR", bench::imageCopy(workspace_.image()));
        bench::writeFile("ZELKOR.EXE", bench::consoleProgram(workspace_.image()));
    }

    // Restores the blank diskette, then makes the diskette `way`'s way,
    // timing only that. Empty on success, otherwise what failed.
    std::string make(Way way, double& seconds) {
        workspace_.restoreBlank();
        const auto start = Clock::now();
        std::string error = run(way);
        seconds = std::chrono::duration<double>(Clock::now() - start).count();
        return error;
    }

    // What is wrong with the diskette as the last run left it; empty if nothing.
    std::string check() const {
        const std::string wrong = bench::checkDiskette(workspace_.drive(), workspace_.image());
        return wrong.empty() ? wrong : "wrong diskette: " + wrong;
    }

private:
    std::string run(Way way) {
        switch (way) {
        case Way::Bare: return bare_.write(workspace_.imagePath(), workspace_.drivePath());
        case Way::Shell: return shell();
        case Way::DdMcopy: return ddAndMcopy(false);
        case Way::DdMcopySync: return ddAndMcopy(true);
        }
        return "unknown way";
    }

    std::string shell() {
        CountingProgress progress;
        if (!media::WriteRegeneratingDiskette(kernel_, progress)) return "the shell's run failed";
        if (progress.reports != 22) return "the run made " + std::to_string(progress.reports) + " reports, not 22";
        return {};
    }

    // dd writes with O_DSYNC as the shell does; mcopy does not sync, so a
    // careful user adds `sync -d A.img` (fdatasync) before taking the
    // diskette out.
    static std::string ddAndMcopy(bool thenSync) {
        if (bench::runProgram({"dd", "if=raw.bin", "of=A.img", "bs=64K", "conv=notrunc", "oflag=dsync",
                               "status=none"}) != 0)
            return "dd failed";
        if (bench::runProgram({"mcopy", "-i", "A.img", "DSCK.TR", "ZELKOR.EXE", "::"}) != 0) return "mcopy failed";
        if (thenSync && bench::runProgram({"sync", "-d", "A.img"}) != 0) return "sync failed";
        return {};
    }

    bench::Workspace workspace_;
    bench::InWorkspace here_;
    posix::PosixKernel kernel_;  // the program keeps one for its whole life
    bench::BareDiskette bare_;
};

void timeOneWay(benchmark::State& state, Scene& scene, Way way) {
    for (auto _ : state) {
        double seconds = 0;
        const std::string error = scene.make(way, seconds);
        if (!error.empty()) {
            state.SkipWithError(error.c_str());
            return;
        }
        state.SetIterationTime(seconds);
    }
    const std::string wrong = scene.check();
    if (!wrong.empty()) state.SkipWithError(wrong.c_str());
    state.SetBytesProcessed(state.iterations() * DisketteRunBytes);
}

void DisketteRun(benchmark::State& state, Way way) {
    Scene scene(media::ImageCopyRun.count());
    timeOneWay(state, scene, way);
}

void ShellRun_ImageSectors(benchmark::State& state) {
    Scene scene(static_cast<std::int32_t>(state.range(0)));
    timeOneWay(state, scene, Way::Shell);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n == 0 ? 0 : n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// All four ways back to back in each iteration, in an order that rotates,
// so each ratio to the reference compares runs a few milliseconds apart:
// the drift of a shared machine cancels out. The counters are the medians of
// the iterations' ratios; the time is all four ways together.
void DisketteRun_Paired(benchmark::State& state) {
    Scene scene(media::ImageCopyRun.count());
    std::array<std::vector<double>, AllWays.size()> ratios;
    std::size_t round = 0;
    for (auto _ : state) {
        std::array<double, AllWays.size()> seconds{};
        for (std::size_t i = 0; i < AllWays.size(); ++i) {
            const std::size_t w = (i + round) % AllWays.size();
            const std::string error = scene.make(AllWays[w], seconds[w]);
            const std::string wrong = error.empty() && round == 0 ? scene.check() : std::string();
            if (!error.empty() || !wrong.empty()) {
                state.SkipWithError((error + wrong).c_str());
                return;
            }
        }
        double total = 0;
        for (std::size_t w = 0; w < AllWays.size(); ++w) {
            ratios[w].push_back(seconds[w] / seconds[0]);
            total += seconds[w];
        }
        state.SetIterationTime(total);
        ++round;
    }
    state.counters["ratio_shell"] = median(ratios[1]);
    state.counters["ratio_dd_mcopy"] = median(ratios[2]);
    state.counters["ratio_dd_mcopy_sync"] = median(ratios[3]);
}

// Each run syncs to the disk; a few iterations per repetition are plenty,
// and the repetitions (interleaved at random by run.sh) give the spread.
BENCHMARK_CAPTURE(DisketteRun, Bare, Way::Bare)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(8);
BENCHMARK_CAPTURE(DisketteRun, Shell, Way::Shell)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(8);
BENCHMARK_CAPTURE(DisketteRun, DdMcopy, Way::DdMcopy)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(8);
BENCHMARK_CAPTURE(DisketteRun, DdMcopySync, Way::DdMcopySync)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(8);
BENCHMARK(DisketteRun_Paired)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(4);
BENCHMARK(ShellRun_ImageSectors)
    ->Arg(1321)
    ->Arg(1408)
    ->Arg(3000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(8);

}  // namespace
