// Sectors that name themselves.
//
// Whatever in the sample image carries no content of its own is filled with a
// text that names the sector's number, repeated: "DORVANE UNNAMED SECTOR
// 0000788" for image sectors that no layout table names, "DORVANE FILE SECTOR
// 0000033" for the data sectors of the sample diskette's filler file (there
// the number is the diskette sector). A sector that turns up in the wrong
// place, in the image or on a rebuilt diskette, then gives itself away.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace sample {

enum class SectorTag {
    Unnamed,   // image sector named by no layout table
    File,      // data sector of the sample diskette's filler file
};

// The number fits seven digits.
constexpr std::int32_t MaximumNumberedSector = 9'999'999;

// Fills one 512-byte sector with the pattern of `tag` and `number`.
void fillNumberedSector(std::span<std::uint8_t> sector, SectorTag tag, std::int32_t number);

// The number that the sector names, when the whole sector is exactly the
// pattern of `tag`; nothing otherwise.
std::optional<std::int32_t> numberedSectorNumber(std::span<const std::uint8_t> sector, SectorTag tag);

// True when `sector` is the unnamed-sector pattern of `number`.
bool isUnnamedSector(std::span<const std::uint8_t> sector, std::int32_t number);

}  // namespace sample
