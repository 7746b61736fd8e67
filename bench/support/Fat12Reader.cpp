#include "bench/support/Fat12Reader.h"

#include <cstring>
#include <vector>

namespace bench {
namespace {

std::uint32_t get16(const Bytes& b, std::size_t at) { return b.at(at) | (std::uint32_t{b.at(at + 1)} << 8); }

std::uint32_t get32(const Bytes& b, std::size_t at) { return get16(b, at) | (get16(b, at + 2) << 16); }

std::uint32_t fatEntry(const Bytes& disk, std::size_t fatOffset, std::uint32_t cluster) {
    const std::uint32_t pair = get16(disk, fatOffset + cluster + cluster / 2);
    return (cluster & 1) != 0 ? pair >> 4 : pair & 0xFFF;
}

}  // namespace

std::optional<Bytes> readRootFile(const Bytes& disk, std::string_view name) {
    if (disk.size() < 512 || name.size() != 11) return std::nullopt;
    const std::uint32_t sectorBytes = get16(disk, 11);
    const std::uint32_t clusterSectors = disk[13];
    const std::uint32_t reserved = get16(disk, 14);
    const std::uint32_t fats = disk[16];
    const std::uint32_t rootEntries = get16(disk, 17);
    const std::uint32_t fatSectors = get16(disk, 22);
    if (sectorBytes == 0 || clusterSectors == 0) return std::nullopt;

    const std::size_t fatOffset = std::size_t{reserved} * sectorBytes;
    const std::size_t rootOffset = fatOffset + std::size_t{fats} * fatSectors * sectorBytes;
    const std::size_t dataOffset = rootOffset + std::size_t{rootEntries} * 32;
    const std::size_t clusterBytes = std::size_t{clusterSectors} * sectorBytes;

    for (std::uint32_t i = 0; i < rootEntries; ++i) {
        const std::size_t e = rootOffset + std::size_t{i} * 32;
        if (e + 32 > disk.size() || disk[e] == 0) break;
        if (disk[e] == 0xE5 || (disk[e + 11] & 0x08) != 0) continue;
        if (std::memcmp(&disk[e], name.data(), 11) != 0) continue;

        const std::uint32_t size = get32(disk, e + 28);
        Bytes content;
        std::uint32_t cluster = get16(disk, e + 26);
        // A chain that comes back to a cluster it has passed is broken.
        std::vector<bool> visited(0x1000, false);
        while (content.size() < size) {
            const std::size_t at = dataOffset + std::size_t{cluster - 2} * clusterBytes;
            if (cluster < 2 || cluster >= 0xFF8 || visited[cluster] || at + clusterBytes > disk.size())
                return std::nullopt;
            visited[cluster] = true;
            const std::size_t take = std::min<std::size_t>(clusterBytes, size - content.size());
            content.insert(content.end(), disk.begin() + static_cast<std::ptrdiff_t>(at),
                           disk.begin() + static_cast<std::ptrdiff_t>(at + take));
            cluster = fatEntry(disk, fatOffset, cluster);
        }
        return content;
    }
    return std::nullopt;
}

}  // namespace bench
