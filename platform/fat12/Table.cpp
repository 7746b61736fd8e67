#include "platform/fat12/Table.h"

#include <algorithm>

namespace fat12 {

bool Table::load(Storage& storage, const Layout& layout) {
    const std::uint64_t needed = (std::uint64_t{layout.lastCluster() + 1} * 3 + 1) / 2;
    const std::uint64_t sectors = (needed + SectorBytes - 1) / SectorBytes;
    bytes_.assign(sectors * SectorBytes, 0);
    dirtySectors_.assign(sectors, false);
    lastCluster_ = layout.lastCluster();
    return storage.read(layout.fatOffset, bytes_.data(), bytes_.size());
}

std::uint32_t Table::get(std::uint32_t cluster) const {
    const std::size_t at = cluster + cluster / 2;
    const std::uint32_t pair = std::uint32_t{bytes_[at]} | (std::uint32_t{bytes_[at + 1]} << 8);
    return (cluster & 1) != 0 ? pair >> 4 : pair & 0xFFF;
}

void Table::set(std::uint32_t cluster, std::uint32_t value) {
    const std::size_t at = cluster + cluster / 2;
    value &= 0xFFF;
    if ((cluster & 1) != 0) {
        bytes_[at] = static_cast<std::uint8_t>((bytes_[at] & 0x0F) | ((value & 0x0F) << 4));
        bytes_[at + 1] = static_cast<std::uint8_t>(value >> 4);
    } else {
        bytes_[at] = static_cast<std::uint8_t>(value & 0xFF);
        bytes_[at + 1] = static_cast<std::uint8_t>((bytes_[at + 1] & 0xF0) | (value >> 8));
    }
    markDirty(at);
    markDirty(at + 1);
}

std::uint32_t Table::findFree(std::uint32_t from) const {
    for (std::uint32_t cluster = std::max<std::uint32_t>(from, 2); cluster <= lastCluster_; ++cluster)
        if (get(cluster) == 0) return cluster;
    return 0;
}

bool Table::dirty() const { return std::find(dirtySectors_.begin(), dirtySectors_.end(), true) != dirtySectors_.end(); }

bool Table::flush(Storage& storage, const Layout& layout) {
    for (std::size_t sector = 0; sector < dirtySectors_.size(); ++sector) {
        if (!dirtySectors_[sector]) continue;
        for (std::uint32_t copy = 0; copy < layout.fatCopies; ++copy) {
            const std::uint64_t at = layout.fatOffset + copy * layout.fatBytes + sector * SectorBytes;
            if (!storage.write(at, bytes_.data() + sector * SectorBytes, SectorBytes)) return false;
        }
        dirtySectors_[sector] = false;
    }
    return true;
}

void Table::markDirty(std::size_t byteOffset) { dirtySectors_[byteOffset / SectorBytes] = true; }

}  // namespace fat12
