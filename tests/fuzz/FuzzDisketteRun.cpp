// The diskette run on the fake kernel with arbitrary image bytes and sizes,
// and a failure injected at an arbitrary call. Whatever the input, the run
// must end with every handle closed, the image unchanged, and success only
// for a diskette that holds exactly what the image says.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "media/DisketteWriter.h"
#include "tests/fakes/FakeKernel.h"

namespace {

struct CountingProgress : media::DisketteProgress {
    int reports = 0;
    std::int32_t last = -1;
    void Report(std::optional<std::int32_t> position) override {
        ++reports;
        if (position) {
            if (*position < last) std::abort();  // the bar never moves back
            last = *position;
        }
    }
};

void check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) return 0;
    // Bytes 0-1: image length in sectors (0-3071) plus a ragged tail of byte 2;
    // byte 3: the call to fail (255: none); the rest: the image's content.
    const std::size_t sectors = (static_cast<std::size_t>(data[0]) | (static_cast<std::size_t>(data[1]) << 8)) % 3072;
    const std::size_t length = sectors * 512 + (data[2] % 2 ? data[2] : 0);
    const std::size_t faultAt = data[3] == 255 ? SIZE_MAX : data[3] * 3u;
    fakes::Bytes image(length);
    const std::uint8_t* fill = data + 4;
    const std::size_t fillSize = size - 4;
    for (std::size_t i = 0; i < length; ++i) image[i] = fillSize ? fill[i % fillSize] : 0;

    fakes::FakeKernel kernel;
    kernel.files["dsck.tr"] = image;
    if (faultAt != SIZE_MAX) kernel.injectAt(faultAt, data[2] & 1 ? fakes::Fault::Short : fakes::Fault::Fail);
    media::SetDiskettePlatform(false);
    CountingProgress progress;
    const bool ok = media::WriteRegeneratingDiskette(kernel, progress);

    check(kernel.openHandles() == 0);
    check(*kernel.file("Dsck.tr") == image);
    if (length < 1321 * 512) check(!ok && progress.reports == 0 && kernel.disketteFiles.empty());
    if (ok) {
        check(progress.reports == 22 && progress.last == 2384);
        const fakes::Bytes& copy = kernel.disketteFiles["DSCK.TR"];
        check(copy.size() == 720896);
        const std::size_t real = std::min<std::size_t>(length, 720896);
        check(std::memcmp(copy.data(), image.data(), real) == 0);
        for (std::size_t i = real; i < copy.size(); ++i) check(copy[i] == 0);
        check(kernel.disketteFiles["ZELKOR.EXE"].size() == 96256);
    }
    return 0;
}
