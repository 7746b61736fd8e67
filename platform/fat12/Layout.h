// Where the parts of a FAT12 volume lie, read from its boot sector's BIOS
// parameter block. Every field the volume code relies on is checked here,
// so a damaged or hostile boot sector is refused rather than trusted.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "platform/fat12/Directory.h"

namespace fat12 {

constexpr std::uint32_t SectorBytes = 512;
// FAT12 numbers at most 4084 data clusters; more means FAT16.
constexpr std::uint32_t MaxClusters = 4084;

struct Layout {
    std::uint32_t clusterBytes = 0;
    std::uint32_t clusterCount = 0;  // data clusters are numbered 2 .. clusterCount + 1
    std::uint32_t fatCopies = 0;
    std::uint64_t fatOffset = 0;  // first copy
    std::uint64_t fatBytes = 0;   // one copy, whole sectors
    std::uint64_t rootOffset = 0;
    std::uint32_t rootEntries = 0;
    std::uint64_t dataOffset = 0;

    std::uint32_t lastCluster() const { return clusterCount + 1; }
    std::uint64_t clusterOffset(std::uint32_t cluster) const {
        return dataOffset + std::uint64_t{cluster - 2} * clusterBytes;
    }
};

using BootSector = std::array<std::uint8_t, SectorBytes>;

// Empty when a field is out of range or the volume would not fit in
// `storageBytes`.
std::optional<Layout> parseLayout(const BootSector& boot, std::uint64_t storageBytes);

}  // namespace fat12
