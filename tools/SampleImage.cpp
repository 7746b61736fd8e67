#include "tools/SampleImage.h"

#include <algorithm>
#include <array>
#include <span>
#include <stdexcept>
#include <string>

#include "tools/ConsoleProgram.h"
#include "tools/Pif.h"
#include "tools/SampleDiskette.h"

namespace sample {
namespace {

std::size_t offsetOf(std::int32_t sector) {
    return static_cast<std::size_t>(sector) * media::SectorSize;
}

// Copies `bytes` into the image from `firstSector` on; `bytes` fills whole sectors.
void place(std::vector<std::uint8_t>& image, std::int32_t firstSector, std::span<const std::uint8_t> bytes) {
    std::copy(bytes.begin(), bytes.end(), image.begin() + static_cast<std::ptrdiff_t>(offsetOf(firstSector)));
}

void placeRawArea(std::vector<std::uint8_t>& image) {
    const std::vector<std::uint8_t> diskette = buildSampleDiskette();
    for (const auto& p : media::RawAreaPlacements)
        place(image, p.image.first,
              std::span(diskette).subspan(offsetOf(p.disketteSector), static_cast<std::size_t>(p.image.bytes())));
}

void placeConsoleProgram(std::vector<std::uint8_t>& image) {
    const std::vector<std::uint8_t> program = buildConsoleProgram();
    std::size_t taken = 0;
    for (const auto& run : media::ConsoleProgramRuns) {
        const auto bytes = static_cast<std::size_t>(run.bytes());
        place(image, run.first, std::span(program).subspan(taken, bytes));
        taken += bytes;
    }
}

}  // namespace

std::vector<std::uint8_t> buildImageHead() {
    std::vector<std::uint8_t> image(offsetOf(DefaultImageSectors));
    for (std::int32_t s = 0; s < DefaultImageSectors; ++s)
        fillNumberedSector(std::span(image).subspan(offsetOf(s), media::SectorSize), SectorTag::Unnamed, s);
    placeRawArea(image);
    placeConsoleProgram(image);
    place(image, media::PifRun.first, buildPif("zelkor", "ZELKOR.EXE"));
    return image;
}

void writeImage(std::ostream& out, std::int32_t sectors) {
    if (sectors < MinimumImageSectors || sectors > MaximumImageSectors)
        throw std::out_of_range("an image has " + std::to_string(MinimumImageSectors) + " to " +
                                std::to_string(MaximumImageSectors) + " sectors, not " + std::to_string(sectors));
    const std::vector<std::uint8_t> head = buildImageHead();
    const std::int32_t fromHead = std::min(sectors, DefaultImageSectors);
    out.write(reinterpret_cast<const char*>(head.data()), static_cast<std::streamsize>(offsetOf(fromHead)));

    std::array<std::uint8_t, media::SectorSize> sector{};
    for (std::int32_t s = fromHead; s < sectors && out; ++s) {
        fillNumberedSector(sector, SectorTag::Unnamed, s);
        out.write(reinterpret_cast<const char*>(sector.data()), media::SectorSize);
    }
}

}  // namespace sample
