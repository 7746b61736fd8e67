// The FAT12 layer writing one file of 1 KiB to 1 MiB onto a blank diskette,
// as the program does for each diskette file: mount, create, sequential
// writes of at most 65,536 bytes, close. Once in memory (the layer's own
// cost) and once on an image file with the fdatasync() of the program's
// file close. The cost per byte should not grow with the file.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <numeric>

#include "bench/Scene.h"
#include "platform/fat12/Format.h"
#include "platform/fat12/Storage.h"
#include "platform/fat12/Volume.h"
#include "platform/posix/FdStorage.h"
#include "tools/SampleDiskette.h"

namespace {

using Clock = std::chrono::steady_clock;
using fat12::Status;

constexpr std::size_t ChunkBytes = 65536;

peers::Bytes fileContent(std::size_t bytes) {
    peers::Bytes content(bytes);
    std::iota(content.begin(), content.end(), std::uint8_t{7});
    return content;
}

// Empty on success, otherwise the step that failed.
const char* writeFile(fat12::Storage& storage, const peers::Bytes& content) {
    fat12::Volume volume(storage);
    if (volume.mount() != Status::Ok) return "mount";
    if (volume.create("DATA.BIN", {}) != Status::Ok) return "create";
    for (std::size_t at = 0; at < content.size(); at += ChunkBytes) {
        std::size_t written = 0;
        if (volume.write(content.data() + at, std::min(ChunkBytes, content.size() - at), written) != Status::Ok)
            return "write";
    }
    return volume.close() == Status::Ok ? nullptr : "close";
}

void Fat12Write_Memory(benchmark::State& state) {
    const peers::Bytes blank = sample::buildBlankDiskette();
    const peers::Bytes content = fileContent(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        fat12::MemoryStorage storage(blank);
        const auto start = Clock::now();
        const char* failed = writeFile(storage, content);
        const auto stop = Clock::now();
        if (failed != nullptr) {
            state.SkipWithError(failed);
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

void Fat12Write_File(benchmark::State& state) {
    const bench::Scene scene(1408);
    const peers::Bytes content = fileContent(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        scene.restoreBlank();
        const auto start = Clock::now();
        const int fd = ::open("A.img", O_RDWR | O_CLOEXEC);
        posix::FdStorage storage(fd, fat12::DisketteBytes, true);
        const char* failed = fd < 0 ? "open" : writeFile(storage, content);
        if (failed == nullptr && ::fdatasync(fd) != 0) failed = "fdatasync";
        if (fd >= 0) ::close(fd);
        const auto stop = Clock::now();
        if (failed != nullptr) {
            state.SkipWithError(failed);
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

// Restoring the blank diskette costs more than a small file's write, so the
// iteration counts are fixed rather than grown to a minimum time.
BENCHMARK(Fat12Write_Memory)
    ->RangeMultiplier(4)
    ->Range(1 << 10, 1 << 20)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(200);
BENCHMARK(Fat12Write_File)
    ->RangeMultiplier(4)
    ->Range(1 << 10, 1 << 20)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(5);

}  // namespace
