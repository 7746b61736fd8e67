#include "bench/support/Fat12Reader.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/fat12/Layout.h"
#include "platform/fat12/Storage.h"
#include "platform/fat12/Table.h"

namespace bench {

// The boot sector is read by the library's parser and the chains through its
// table; only the walk along a chain is the reader's own.
std::optional<Bytes> readRootFile(const Bytes& disk, std::string_view name) {
    fat12::BootSector boot{};
    if (disk.size() < boot.size() || name.size() != 11) return std::nullopt;
    std::copy_n(disk.begin(), boot.size(), boot.begin());
    const auto layout = fat12::parseLayout(boot, disk.size());
    fat12::MemoryStorage storage(disk);
    fat12::Table table;
    if (!layout || !table.load(storage, *layout)) return std::nullopt;

    for (std::uint32_t i = 0; i < layout->rootEntries; ++i) {
        const std::uint8_t* e = disk.data() + layout->rootOffset + std::size_t{i} * fat12::DirEntryBytes;
        if (e[0] == fat12::EndOfDirectory) break;
        if (e[0] == fat12::Deleted || (e[11] & fat12::AttrVolumeLabel) != 0) continue;
        if (std::memcmp(e, name.data(), 11) != 0) continue;

        const std::uint32_t size = fat12::get32(e + 28);
        Bytes content;
        std::uint32_t cluster = fat12::get16(e + 26);
        // A chain that comes back to a cluster it has passed is broken.
        std::vector<bool> visited(layout->lastCluster() + 1, false);
        while (content.size() < size) {
            if (cluster < 2 || cluster > layout->lastCluster() || visited[cluster]) return std::nullopt;
            visited[cluster] = true;
            const auto at = static_cast<std::ptrdiff_t>(layout->clusterOffset(cluster));
            const std::size_t take = std::min<std::size_t>(layout->clusterBytes, size - content.size());
            content.insert(content.end(), disk.begin() + at, disk.begin() + at + static_cast<std::ptrdiff_t>(take));
            cluster = table.get(cluster);
        }
        return content;
    }
    return std::nullopt;
}

}  // namespace bench
