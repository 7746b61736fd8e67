// Where things lie in the regeneration image, written out by hand for the
// tests.
//
// This repeats media/ImageLayout.h on purpose. The shell's writer and launch
// and the sample tool all read those tables, so a check that used them too
// would agree with a wrong row. This file states the design's numbers a
// second time, in another shape (from the diskette's side for the raw area),
// so that every suite judges the product against them. Do not merge it with
// the shell's tables.
#pragma once

#include <array>
#include <cstddef>

namespace imagemap {

constexpr std::size_t SectorBytes = 512;
constexpr std::size_t RawAreaSectors = 788;

// The image sector that diskette sector `d` (0-787) receives in the raw phase.
constexpr std::size_t imageSectorFor(std::size_t d) {
    if (d == 0) return 244;       // boot sector
    if (d <= 2) return d - 1;     // 1-2     <- 0-1
    if (d <= 9) return d + 8;     // 3-9     <- 11-17
    if (d <= 18) return d - 8;    // 10-18   <- 2-10
    if (d == 19) return 245;      // first root-directory sector
    if (d <= 245) return d - 2;   // 20-245  <- 18-243
    return d;                     // 246-787 unchanged
}

struct Run {
    std::size_t first;  // inclusive
    std::size_t last;
};

// zelkor.exe: these image sectors in this order, 96,256 bytes in all.
constexpr std::array<Run, 5> ConsoleProgramRuns{{{790, 825}, {958, 1003}, {1049, 1069}, {1151, 1202}, {1235, 1267}}};

// zelkor.pif: 1,024 bytes.
constexpr Run PifRun{1319, 1320};

}  // namespace imagemap
