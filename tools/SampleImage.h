// Assembles the sample regeneration image "Dsck.tr" from its pieces.
//
// The layout tables of media/ImageLayout.h say where each piece goes: the
// sample diskette's first 788 sectors by RawAreaPlacements, ZELKOR.EXE in the
// ConsoleProgramRuns, the PIF in PifRun. Every other sector carries the
// unnamed-sector pattern of its own number (tools/SectorPattern.h).
#pragma once

#include <cstdint>
#include <ostream>
#include <vector>

#include "media/ImageLayout.h"
#include "tools/SectorPattern.h"

namespace sample {

// The shell reads no further than the whole-image copy.
constexpr std::int32_t DefaultImageSectors = media::ImageCopyRun.count();
constexpr std::int32_t MinimumImageSectors = media::MinimumImageSectors;
constexpr std::int32_t MaximumImageSectors = MaximumNumberedSector + 1;

// Image sectors 0-1407.
std::vector<std::uint8_t> buildImageHead();

// Writes an image of `sectors` sectors (MinimumImageSectors to
// MaximumImageSectors; throws std::out_of_range otherwise). Sectors past 1407
// are unnamed-pattern sectors, made as they are written. The caller checks
// the stream's state.
void writeImage(std::ostream& out, std::int32_t sectors);

}  // namespace sample
