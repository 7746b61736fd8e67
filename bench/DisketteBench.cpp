// A Create Diskette run onto an image file, four ways side by side: the
// shell's own writer on the Linux services, the bare system calls for the
// same bytes (the reference), and what a Linux user would type instead (dd
// and mcopy, with and without a final sync). And the shell's run on images
// of different lengths, of which it reads only the first 1,408 sectors.
// Every run starts from the blank diskette, restored outside the timed part;
// every way's result is checked once, after its runs.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstring>
#include <vector>

#include "bench/Scene.h"
#include "media/DisketteWriter.h"
#include "media/RawTransfers.h"
#include "platform/fat12/Format.h"
#include "platform/fat12/Volume.h"
#include "platform/posix/FdStorage.h"
#include "platform/posix/PosixKernel.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::int64_t RunBytes =
    std::int64_t{media::RawAreaSectors} * media::SectorSize + media::ImageCopyRun.bytes() + media::ConsoleProgramBytes;

enum class Way { Bare, Shell, DdMcopy, DdMcopySync };
constexpr std::array<Way, 4> AllWays{Way::Bare, Way::Shell, Way::DdMcopy, Way::DdMcopySync};

struct NoProgress final : media::DisketteProgress {
    void Report(std::optional<std::int32_t>) override {}
};

// The reference: the raw area as 15 pwrite()s on an O_DSYNC descriptor, the
// two files through the FAT12 layer directly, each made durable with one
// fdatasync() when complete, as the program's file close does.
bool bare(std::vector<std::uint8_t>& buffer) {
    const int image = ::open("Dsck.tr", O_RDONLY | O_CLOEXEC);
    const int raw = ::open("A.img", O_WRONLY | O_DSYNC | O_CLOEXEC);
    const int files = ::open("A.img", O_RDWR | O_CLOEXEC);
    const auto readAt = [&](std::size_t bytes, std::int64_t offset) {
        const ssize_t n = ::pread(image, buffer.data(), bytes, offset);
        if (n >= 0) std::memset(buffer.data() + n, 0, buffer.size() - static_cast<std::size_t>(n));
        return n >= 0;
    };
    bool ok = image >= 0 && raw >= 0 && files >= 0;
    off_t at = 0;
    for (const media::RawTransfer& t : media::RawTransfers) {
        const auto bytes = static_cast<std::size_t>(t.count) * media::SectorSize;
        ok = ok && readAt(bytes, std::int64_t{t.imageFirst} * media::SectorSize) &&
             ::pwrite(raw, buffer.data(), bytes, at) == static_cast<ssize_t>(bytes);
        at += static_cast<off_t>(bytes);
    }
    posix::FdStorage storage(files, fat12::DisketteBytes, true);
    fat12::Volume volume(storage);
    std::size_t written = 0;
    ok = ok && volume.mount() == fat12::Status::Ok && volume.create("Dsck.tr", {}) == fat12::Status::Ok;
    for (std::int32_t block = 0; ok && block < media::ImageCopyBlocks; ++block)
        ok = readAt(media::ImageCopyBlockBytes, std::int64_t{block} * media::ImageCopyBlockBytes) &&
             volume.write(buffer.data(), media::ImageCopyBlockBytes, written) == fat12::Status::Ok;
    ok = ok && volume.close() == fat12::Status::Ok && ::fdatasync(files) == 0;
    ok = ok && volume.create("zelkor.exe", {}) == fat12::Status::Ok;
    for (const media::SectorRun& run : media::ConsoleProgramRuns)
        ok = ok && readAt(static_cast<std::size_t>(run.bytes()), std::int64_t{run.first} * media::SectorSize) &&
             volume.write(buffer.data(), static_cast<std::size_t>(run.bytes()), written) == fat12::Status::Ok;
    ok = ok && volume.close() == fat12::Status::Ok && ::fdatasync(files) == 0;
    for (const int fd : {image, raw, files})
        if (fd >= 0) ::close(fd);
    return ok;
}

// As a user's shell starts a program: found on PATH, waited for; no shell.
bool spawn(std::vector<const char*> argv) {
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    const int error =
        posix_spawnp(&pid, argv[0], &actions, nullptr, const_cast<char* const*>(argv.data()), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    return error == 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

class Runner {
public:
    explicit Runner(std::int32_t imageSectors) : scene_(imageSectors), buffer_(65536) {
        // dd and mcopy's user has the rebuilt raw area and the two files at
        // hand already; upper-case names keep mtools from adding long names.
        const peers::Bytes rebuilt = peers::rebuildDiskette(scene_.image());
        peers::writeFile("raw.bin", {rebuilt.data(), std::size_t{media::RawAreaSectors} * media::SectorSize});
        peers::Bytes copy(scene_.image());
        copy.resize(static_cast<std::size_t>(media::ImageCopyRun.bytes()), 0);
        peers::writeFile("DSCK.TR", copy);
        peers::writeFile("ZELKOR.EXE", peers::carveConsoleProgram(scene_.image()));
    }

    // Restores the blank diskette, then times one run `way`'s way.
    bool make(Way way, double& seconds) {
        scene_.restoreBlank();
        const auto start = Clock::now();
        bool ok = false;
        NoProgress progress;
        switch (way) {
        case Way::Bare: ok = bare(buffer_); break;
        case Way::Shell: ok = media::WriteRegeneratingDiskette(kernel_, progress); break;
        case Way::DdMcopy:
        case Way::DdMcopySync:
            // dd writes with O_DSYNC as the shell does; mcopy does not sync,
            // so a careful user adds `sync -d A.img` before taking the diskette.
            ok = spawn({"dd", "if=raw.bin", "of=A.img", "bs=64K", "conv=notrunc", "oflag=dsync", "status=none"}) &&
                 spawn({"mcopy", "-i", "A.img", "DSCK.TR", "ZELKOR.EXE", "::"}) &&
                 (way == Way::DdMcopy || spawn({"sync", "-d", "A.img"}));
        }
        seconds = std::chrono::duration<double>(Clock::now() - start).count();
        return ok;
    }
    std::string check() const { return scene_.check(); }

private:
    bench::Scene scene_;
    std::vector<std::uint8_t> buffer_;
    posix::PosixKernel kernel_;  // the program keeps one for its whole life
};

void timeWay(benchmark::State& state, std::int32_t imageSectors, Way way) {
    Runner runner(imageSectors);
    for (auto _ : state) {
        double seconds = 0;
        if (!runner.make(way, seconds)) return state.SkipWithError("a run failed");
        state.SetIterationTime(seconds);
    }
    if (const std::string wrong = runner.check(); !wrong.empty()) state.SkipWithError(("wrong " + wrong).c_str());
    state.SetBytesProcessed(state.iterations() * RunBytes);
}

void DisketteRun(benchmark::State& state, Way way) { timeWay(state, media::ImageCopyRun.count(), way); }
void ShellRun_ImageSectors(benchmark::State& state) {
    timeWay(state, static_cast<std::int32_t>(state.range(0)), Way::Shell);
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

// All four ways back to back in each iteration, in an order that rotates,
// so each ratio to the reference compares runs milliseconds apart and the
// drift of a shared machine cancels out. The counters are the medians of
// the iterations' ratios.
void DisketteRun_Paired(benchmark::State& state) {
    Runner runner(media::ImageCopyRun.count());
    std::array<std::vector<double>, AllWays.size()> ratios;
    std::size_t round = 0;
    for (auto _ : state) {
        std::array<double, AllWays.size()> seconds{};
        for (std::size_t i = 0; i < AllWays.size(); ++i) {
            const std::size_t w = (i + round) % AllWays.size();
            if (!runner.make(AllWays[w], seconds[w])) return state.SkipWithError("a run failed");
        }
        for (std::size_t w = 0; w < AllWays.size(); ++w) ratios[w].push_back(seconds[w] / seconds[0]);
        state.SetIterationTime(seconds[0] + seconds[1] + seconds[2] + seconds[3]);
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
    ->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(8);
BENCHMARK(DisketteRun_Paired)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(4);
BENCHMARK(ShellRun_ImageSectors)->Arg(1321)->Arg(1408)->Arg(3000)
    ->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(8);

}  // namespace
