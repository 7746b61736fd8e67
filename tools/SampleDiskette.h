// The diskettes the tool makes: the sample regenerating diskette whose first
// 788 sectors the sample image carries, and a blank formatted one.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace sample {

// What each diskette's boot program shows on the screen and on COM1.
constexpr std::string_view SampleBootMessage =
    "Dorvane sample regenerating diskette - a sample without the regeneration program.\r\n"
    "System halted.\r\n";
constexpr std::string_view BlankBootMessage =
    "This diskette is blank and can't start the computer. Remove it and restart.\r\n";

constexpr std::string_view SampleVolumeLabel = "DORVANE";

// Files of the sample diskette, in the order they lie on it. The last one,
// the filler, runs up to diskette sector 787, the end of the raw area, and
// each of its sectors carries the "FILE" pattern of its own diskette sector.
constexpr std::string_view SampleFileNames[] = {"README.TXT", "AUTOEXEC.BAT", "CONFIG.SYS", "SECTORS.DAT"};

// The whole 1.44 MB diskette, 1,474,560 bytes; everything after its sector
// 787 is free.
std::vector<std::uint8_t> buildSampleDiskette();

// A formatted diskette without label or files, 1,474,560 bytes.
std::vector<std::uint8_t> buildBlankDiskette();

}  // namespace sample
