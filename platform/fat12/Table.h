// The file allocation table of a FAT12 volume, held in memory while a file
// is written and written back, sector by sector, to every copy on the volume.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/fat12/Layout.h"
#include "platform/fat12/Storage.h"

namespace fat12 {

constexpr std::uint32_t EndOfChain = 0xFFF;

// Entries from 0xFF8 up end a chain.
inline bool isEndOfChain(std::uint32_t entry) { return entry >= 0xFF8; }

class Table {
public:
    // Reads the part of the first copy that covers the volume's clusters.
    bool load(Storage& storage, const Layout& layout);

    std::uint32_t get(std::uint32_t cluster) const;
    void set(std::uint32_t cluster, std::uint32_t value);

    // The first free cluster numbered `from` or above; 0 when there is none.
    std::uint32_t findFree(std::uint32_t from) const;

    bool dirty() const;
    // Writes every changed sector into each copy of the table.
    bool flush(Storage& storage, const Layout& layout);

private:
    void markDirty(std::size_t byteOffset);

    std::vector<std::uint8_t> bytes_;
    std::vector<bool> dirtySectors_;
    std::uint32_t lastCluster_ = 0;
};

}  // namespace fat12
