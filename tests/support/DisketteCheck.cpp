// diskette-check IMAGE DISKETTE FOLDER: whether a run of the Windows program
// under Wine made what the tests' own map says. DISKETTE (drive A:'s raw
// device) must hold the image's sectors in the raw area's places, and FOLDER
// (drive A:'s folder) the image's first 720,896 bytes as Dsck.tr and the
// carved console program as zelkor.exe.
// diskette-check --pif IMAGE FILE: whether FILE is the image's PIF run, as
// Start Regeneration writes zelkor.pif.
// Prints what differs; exit status 0 when nothing does, 1 when something
// does, 2 for a wrong call.
#include <algorithm>
#include <cstdio>
#include <string>

#include "tests/support/ImageMap.h"
#include "tests/support/Peers.h"

namespace {

peers::Bytes pifOf(const peers::Bytes& image) {
    const std::size_t from = imagemap::PifRun.first * imagemap::SectorBytes;
    const std::size_t to = (imagemap::PifRun.last + 1) * imagemap::SectorBytes;
    return image.size() < to ? peers::Bytes{} : peers::Bytes(image.begin() + from, image.begin() + to);
}

}  // namespace

int main(int argc, char** argv) {
    using peers::Bytes;
    if (argc == 4 && std::string(argv[1]) == "--pif") {
        if (peers::readFile(argv[3]) == pifOf(peers::readFile(argv[2]))) return 0;
        std::fprintf(stderr, "diskette-check: %s differs from the image's PIF\n", argv[3]);
        return 1;
    }
    if (argc != 4) {
        std::fputs("usage: diskette-check IMAGE DISKETTE FOLDER | --pif IMAGE FILE\n", stderr);
        return 2;
    }
    const Bytes image = peers::readFile(argv[1]);
    const Bytes disk = peers::readFile(argv[2]);
    const peers::fs::path folder = argv[3];
    const Bytes expected = peers::rebuildDiskette(image);
    int differences = 0;
    const auto differ = [&](const std::string& what) {
        std::fprintf(stderr, "diskette-check: %s differs\n", what.c_str());
        ++differences;
    };
    if (disk.size() != expected.size()) differ("the diskette's size");
    for (std::size_t s = 0; s < imagemap::RawAreaSectors && disk.size() == expected.size(); ++s) {
        const auto at = static_cast<std::int32_t>(s);
        if (!std::ranges::equal(peers::sectorOf(disk, at), peers::sectorOf(expected, at)))
            differ("diskette sector " + std::to_string(s));
    }
    const std::size_t copyBytes = 720'896;
    const Bytes copy = peers::readFile(folder / "Dsck.tr");
    if (image.size() < copyBytes || copy != Bytes(image.begin(), image.begin() + copyBytes)) differ("Dsck.tr");
    if (peers::readFile(folder / "zelkor.exe") != peers::carveConsoleProgram(image)) differ("zelkor.exe");
    return differences == 0 ? 0 : 1;
}
