// The FAT12 layer on a damaged diskette: a blank formatted diskette with
// arbitrary bytes patched into its boot sector, tables and root directory,
// then the two files the diskette run creates. Whatever the damage, the layer
// must refuse or succeed cleanly: no crash, no hang, no write outside the
// volume, the boot sector untouched, and sizes that match what it reported.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/fat12/Volume.h"
#include "tools/SampleDiskette.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

const std::vector<std::uint8_t>& blank() {
    static const std::vector<std::uint8_t> disk = sample::buildBlankDiskette();
    return disk;
}

void writeFile(fat12::Volume& volume, const char* name, std::size_t bytes) {
    using fat12::Status;
    if (volume.create(name, {}) != Status::Ok) return;
    static std::uint8_t block[65536];
    std::size_t total = 0;
    while (total < bytes) {
        const std::size_t piece = std::min(sizeof block, bytes - total);
        std::size_t written = 0;
        const Status s = volume.write(block, piece, written);
        check(written <= piece);
        total += written;
        if (s != Status::Ok) break;
        check(written == piece);
    }
    check(volume.fileSize() == total);
    volume.close();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Three bytes per patch: a 16-bit offset into the first 33 sectors and
    // the byte to put there.
    std::vector<std::uint8_t> disk = blank();
    constexpr std::size_t systemArea = 33 * 512;
    for (std::size_t i = 0; i + 3 <= size; i += 3) {
        const std::size_t offset = (data[i] | (static_cast<std::size_t>(data[i + 1]) << 8)) % systemArea;
        disk[offset] = data[i + 2];
    }
    const std::vector<std::uint8_t> bootSector(disk.begin(), disk.begin() + 512);

    fat12::MemoryStorage storage(disk);
    fat12::Volume volume(storage);
    if (volume.mount() != fat12::Status::Ok) return 0;
    writeFile(volume, "DSCK.TR", 720896);
    writeFile(volume, "ZELKOR.EXE", 96256);
    check(storage.bytes().size() == disk.size());
    check(std::memcmp(storage.bytes().data(), bootSector.data(), 512) == 0);
    return 0;
}
