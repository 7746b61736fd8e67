#include "bench/support/DisketteCheck.h"

#include <algorithm>

#include "bench/support/Fat12Reader.h"

namespace bench {
namespace {

bool sameSectors(const Bytes& a, const Bytes& b, std::size_t first, std::size_t last) {
    const auto from = static_cast<std::ptrdiff_t>(first * 512);
    const auto to = static_cast<std::ptrdiff_t>((last + 1) * 512);
    return std::equal(a.begin() + from, a.begin() + to, b.begin() + from);
}

}  // namespace

std::string checkDiskette(const Bytes& disk, const Bytes& image) {
    if (disk.size() != DisketteBytes) return "the diskette is " + std::to_string(disk.size()) + " bytes long";
    const Bytes raw = rebuildRawArea(image);
    if (!sameSectors(disk, raw, 0, 0)) return "sector 0 is not image sector 244";
    if (!sameSectors(disk, raw, 33, 787)) return "sectors 33-787 are not the rebuilt raw area";
    const auto copy = readRootFile(disk, "DSCK    TR ");
    if (!copy) return "DSCK.TR is missing";
    if (*copy != imageCopy(image)) return "DSCK.TR differs from the image's first 720,896 bytes";
    const auto program = readRootFile(disk, "ZELKOR  EXE");
    if (!program) return "ZELKOR.EXE is missing";
    if (*program != consoleProgram(image)) return "ZELKOR.EXE differs from the console program's runs";
    return {};
}

}  // namespace bench
