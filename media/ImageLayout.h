// Where everything lives inside the regeneration image Dsck.tr.
//
// The image carries the first 788 sectors of the regenerating diskette in an
// order of its own, the console program in five runs and its PIF in one run.
// These tables are the only place that knows the layout; the console launch,
// the diskette writer and the sample-image maker all read them.
#pragma once

#include <array>
#include <cstdint>

namespace media {

constexpr std::int32_t SectorSize = 512;

// Inclusive range of sector numbers.
struct SectorRun {
    std::int32_t first;
    std::int32_t last;
    constexpr std::int32_t count() const { return last - first + 1; }
    constexpr std::int32_t bytes() const { return count() * SectorSize; }
};

// An image run and the diskette sector its first sector becomes.
struct RunPlacement {
    SectorRun image;
    std::int32_t disketteSector;
};

// Diskette sectors 0-787 rebuilt from image sectors 0-787, in processing order.
constexpr std::array<RunPlacement, 8> RawAreaPlacements{{
    {{244, 244}, 0},    // boot sector
    {{0, 1}, 1},        // first allocation table, part one
    {{11, 17}, 3},      // first allocation table, part two
    {{2, 10}, 10},      // second allocation table
    {{245, 245}, 19},   // first root-directory sector
    {{18, 243}, 20},
    {{246, 785}, 246},
    {{786, 787}, 786},
}};

// zelkor.exe is these runs concatenated, each taken whole.
constexpr std::array<SectorRun, 5> ConsoleProgramRuns{{
    {790, 825}, {958, 1003}, {1049, 1069}, {1151, 1202}, {1235, 1267},
}};

constexpr SectorRun PifRun{1319, 1320};

// The copy of the image that goes onto the diskette as "a:/Dsck.tr".
constexpr SectorRun ImageCopyRun{0, 1407};

constexpr std::int32_t RawAreaSectors = 788;
constexpr std::int32_t ConsoleProgramBytes = 96256;
constexpr std::int32_t PifBytes = 1024;
constexpr std::int32_t ImageCopyBlockBytes = 65536;
constexpr std::int32_t ImageCopyBlocks = 11;
// Every sector that is addressed by its number lies below this count.
constexpr std::int32_t MinimumImageSectors = 1321;
constexpr std::int32_t DisketteProgressMax = RawAreaSectors + ImageCopyRun.count() + 188;

namespace detail {

constexpr bool placementsCoverRawAreaOnce() {
    std::array<int, RawAreaSectors> imageUse{};
    std::int32_t nextDiskette = 0;
    for (const auto& p : RawAreaPlacements) {
        if (p.disketteSector != nextDiskette) return false;  // gap, overlap or out of order
        for (std::int32_t s = p.image.first; s <= p.image.last; ++s) {
            if (s < 0 || s >= RawAreaSectors) return false;
            ++imageUse[static_cast<std::size_t>(s)];
        }
        nextDiskette += p.image.count();
    }
    if (nextDiskette != RawAreaSectors) return false;
    for (int use : imageUse)
        if (use != 1) return false;
    return true;
}

constexpr std::int32_t consoleProgramSectors() {
    std::int32_t n = 0;
    for (const auto& r : ConsoleProgramRuns) n += r.count();
    return n;
}

}  // namespace detail

static_assert(detail::placementsCoverRawAreaOnce(),
              "the placements must rebuild diskette sectors 0-787 from image sectors 0-787, each once");
static_assert(detail::consoleProgramSectors() == 188);
static_assert(detail::consoleProgramSectors() * SectorSize == ConsoleProgramBytes);
static_assert(PifRun.bytes() == PifBytes);
static_assert(ImageCopyRun.bytes() == ImageCopyBlocks * ImageCopyBlockBytes);
static_assert(PifRun.last < MinimumImageSectors);
static_assert(DisketteProgressMax == 2384);

}  // namespace media
