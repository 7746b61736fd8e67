#include "platform/fat12/Layout.h"

#include "platform/fat12/Bytes.h"

namespace fat12 {
namespace {

std::uint32_t le16(const BootSector& b, std::size_t at) { return get16(b.data() + at); }

std::uint32_t le32(const BootSector& b, std::size_t at) { return get32(b.data() + at); }

bool isPowerOfTwo(std::uint32_t v) { return v != 0 && (v & (v - 1)) == 0; }

}  // namespace

std::optional<Layout> parseLayout(const BootSector& boot, std::uint64_t storageBytes) {
    const std::uint32_t bytesPerSector = le16(boot, 0x0B);
    const std::uint32_t sectorsPerCluster = boot[0x0D];
    const std::uint32_t reserved = le16(boot, 0x0E);
    const std::uint32_t fats = boot[0x10];
    const std::uint32_t rootEntries = le16(boot, 0x11);
    const std::uint32_t total16 = le16(boot, 0x13);
    const std::uint32_t sectorsPerFat = le16(boot, 0x16);
    const std::uint64_t totalSectors = total16 != 0 ? total16 : le32(boot, 0x20);

    if (bytesPerSector != SectorBytes || !isPowerOfTwo(sectorsPerCluster) || reserved < 1 || fats < 1 || fats > 2 ||
        rootEntries == 0 || sectorsPerFat == 0 || totalSectors == 0)
        return std::nullopt;
    if (totalSectors * SectorBytes > storageBytes) return std::nullopt;

    const std::uint64_t rootSectors = (std::uint64_t{rootEntries} * DirEntryBytes + SectorBytes - 1) / SectorBytes;
    const std::uint64_t firstRootSector = reserved + std::uint64_t{fats} * sectorsPerFat;
    const std::uint64_t firstDataSector = firstRootSector + rootSectors;
    if (firstDataSector >= totalSectors) return std::nullopt;
    const std::uint64_t clusters = (totalSectors - firstDataSector) / sectorsPerCluster;
    if (clusters < 1 || clusters > MaxClusters) return std::nullopt;
    // The table needs 12 bits for each data cluster and the two reserved entries.
    const std::uint64_t fatBytes = std::uint64_t{sectorsPerFat} * SectorBytes;
    if (fatBytes < ((clusters + 2) * 3 + 1) / 2) return std::nullopt;

    Layout layout;
    layout.clusterBytes = sectorsPerCluster * SectorBytes;
    layout.clusterCount = static_cast<std::uint32_t>(clusters);
    layout.fatCopies = fats;
    layout.fatOffset = std::uint64_t{reserved} * SectorBytes;
    layout.fatBytes = fatBytes;
    layout.rootOffset = firstRootSector * SectorBytes;
    layout.rootEntries = rootEntries;
    layout.dataOffset = firstDataSector * SectorBytes;
    return layout;
}

}  // namespace fat12
