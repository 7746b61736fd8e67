#include "bench/support/DisketteBytes.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "media/ImageLayout.h"

namespace bench {
namespace {

constexpr std::size_t SectorBytes = media::SectorSize;

void appendSectors(Bytes& out, const Bytes& image, std::int32_t first, std::int32_t count) {
    const std::size_t from = static_cast<std::size_t>(first) * SectorBytes;
    const std::size_t to = from + static_cast<std::size_t>(count) * SectorBytes;
    if (to > image.size()) throw std::out_of_range("image too short for the layout tables");
    out.insert(out.end(), image.begin() + static_cast<std::ptrdiff_t>(from),
               image.begin() + static_cast<std::ptrdiff_t>(to));
}

}  // namespace

Bytes rebuildRawArea(const Bytes& image) {
    Bytes raw(static_cast<std::size_t>(media::RawAreaSectors) * SectorBytes);
    for (const media::RunPlacement& p : media::RawAreaPlacements) {
        Bytes run;
        appendSectors(run, image, p.image.first, p.image.count());
        std::copy(run.begin(), run.end(), raw.begin() + static_cast<std::ptrdiff_t>(p.disketteSector * SectorBytes));
    }
    return raw;
}

Bytes imageCopy(const Bytes& image) {
    Bytes copy(static_cast<std::size_t>(media::ImageCopyRun.bytes()), 0);
    std::copy_n(image.begin(), std::min(copy.size(), image.size()), copy.begin());
    return copy;
}

Bytes consoleProgram(const Bytes& image) {
    Bytes program;
    for (const media::SectorRun& run : media::ConsoleProgramRuns) appendSectors(program, image, run.first, run.count());
    return program;
}

Bytes readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw std::runtime_error("could not write " + path.string());
}

}  // namespace bench
