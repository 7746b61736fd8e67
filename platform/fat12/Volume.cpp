#include "platform/fat12/Volume.h"

#include <algorithm>
#include <cstring>

namespace fat12 {

Status Volume::mount() {
    layout_.reset();
    file_.reset();
    BootSector boot{};
    if (storage_.size() < boot.size()) return Status::Corrupt;  // not even a boot sector: no volume at all
    if (!storage_.read(0, boot.data(), boot.size())) return Status::ReadFault;
    layout_ = parseLayout(boot, storage_.size());
    if (!layout_) return Status::Corrupt;
    root_.assign(std::size_t{layout_->rootEntries} * DirEntryBytes, 0);
    if (!table_.load(storage_, *layout_) || !storage_.read(layout_->rootOffset, root_.data(), root_.size())) {
        layout_.reset();
        return Status::ReadFault;
    }
    const Status chains = checkChains();
    if (chains != Status::Ok) layout_.reset();
    return chains;
}

// Follows the chain of every root entry. Each cluster may be visited once,
// so a loop or two entries sharing clusters show up as a revisit, and the
// walk ends after at most clusterCount steps whatever the table holds.
Status Volume::checkChains() {
    std::vector<bool> visited(layout_->lastCluster() + 1, false);
    for (std::uint32_t i = 0; i < layout_->rootEntries; ++i) {
        const std::uint8_t* e = entry(i);
        if (e[field::Name] == EndOfDirectory) break;
        if (e[field::Name] == Deleted || e[field::Attributes] == AttrLongName ||
            (e[field::Attributes] & AttrVolumeLabel) != 0)
            continue;
        std::uint32_t cluster = get16(e + field::FirstCluster);
        if (cluster == 0) continue;
        while (true) {
            if (cluster < 2 || cluster > layout_->lastCluster() || visited[cluster]) return Status::Corrupt;
            visited[cluster] = true;
            const std::uint32_t next = table_.get(cluster);
            if (isEndOfChain(next)) break;
            cluster = next;
        }
    }
    return Status::Ok;
}

Status Volume::create(std::string_view name, DosStamp stamp) {
    if (!layout_ || file_) return Status::WrongState;
    const auto shortName = toShortName(name);
    if (!shortName) return Status::InvalidName;
    if (!storage_.writable()) return Status::WriteProtected;

    std::optional<std::uint32_t> slot;
    bool slotEndsDirectory = false;
    for (std::uint32_t i = 0; i < layout_->rootEntries; ++i) {
        const std::uint8_t* e = entry(i);
        if (e[field::Name] == EndOfDirectory) {
            if (!slot) {
                slot = i;
                slotEndsDirectory = true;
            }
            break;
        }
        if (e[field::Name] == Deleted) {
            if (!slot) slot = i;
            continue;
        }
        if (e[field::Attributes] == AttrLongName || (e[field::Attributes] & AttrVolumeLabel) != 0) continue;
        if (sameShortName(*shortName, reinterpret_cast<const char*>(e))) return Status::Exists;
    }
    if (!slot) return Status::RootFull;

    std::uint8_t* e = entry(*slot);
    std::memset(e, 0, DirEntryBytes);
    std::memcpy(e, shortName->data(), shortName->size());
    e[field::Attributes] = AttrArchive;
    stampEntry(e, stamp);

    // Whatever lies behind the end marker is not part of the directory; keep
    // it that way now that the marker's slot is taken.
    if (slotEndsDirectory && *slot + 1 < layout_->rootEntries && entry(*slot + 1)[0] != EndOfDirectory) {
        entry(*slot + 1)[0] = EndOfDirectory;
        if (writeEntry(*slot + 1) != Status::Ok) return Status::WriteFault;
    }
    if (writeEntry(*slot) != Status::Ok) return Status::WriteFault;
    file_ = OpenFile{*slot, 0, 0, 0};
    searchFrom_ = 2;
    return Status::Ok;
}

Status Volume::write(const void* data, std::size_t length, std::size_t& written) {
    written = 0;
    if (!file_) return Status::WrongState;
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    const std::uint32_t clusterBytes = layout_->clusterBytes;
    Status status = Status::Ok;
    while (written < length) {
        OpenFile& f = *file_;
        const std::uint32_t used = f.size % clusterBytes;
        const bool needCluster = f.first == 0 || used == 0;
        std::uint32_t cluster = f.last;
        if (needCluster) {
            cluster = table_.findFree(searchFrom_);
            if (cluster == 0) {
                status = Status::DiskFull;
                break;
            }
        }
        const std::uint32_t offset = needCluster ? 0 : used;
        const std::size_t piece = std::min<std::size_t>(length - written, clusterBytes - offset);
        if (std::uint64_t{f.size} + piece > 0xFFFFFFFFu) {
            status = Status::DiskFull;
            break;
        }
        // The data goes down before the cluster is linked in, so a failed
        // transfer leaves the chain as it was.
        if (!storage_.write(layout_->clusterOffset(cluster) + offset, bytes + written, piece)) {
            status = Status::WriteFault;
            break;
        }
        if (needCluster) {
            table_.set(cluster, EndOfChain);
            if (f.first == 0)
                f.first = cluster;
            else
                table_.set(f.last, cluster);
            f.last = cluster;
            searchFrom_ = cluster + 1;
        }
        f.size += static_cast<std::uint32_t>(piece);
        written += piece;
        entryDirty_ = true;
    }
    const Status flushed = flushMetadata();
    return status != Status::Ok ? status : flushed;
}

Status Volume::close() {
    if (!file_) return Status::WrongState;
    const Status flushed = flushMetadata();
    file_.reset();
    return flushed;
}

// The table first, then the entry: a crash between the two leaves clusters
// allocated but unowned, which a checker frees, never an entry that claims
// clusters its chain does not have.
Status Volume::flushMetadata() {
    if (table_.dirty() && !table_.flush(storage_, *layout_)) return Status::WriteFault;
    if (entryDirty_) {
        std::uint8_t* e = entry(file_->entry);
        put16(e + field::FirstCluster, file_->first);
        put32(e + field::FileSize, file_->size);
        if (writeEntry(file_->entry) != Status::Ok) return Status::WriteFault;
        entryDirty_ = false;
    }
    return Status::Ok;
}

std::optional<std::uint64_t> Volume::firstFreeOffset() const {
    const std::uint32_t cluster = layout_ ? table_.findFree(2) : 0;
    if (cluster == 0) return std::nullopt;
    return layout_->clusterOffset(cluster);
}

Status Volume::writeEntry(std::uint32_t index) {
    const std::uint64_t at = layout_->rootOffset + std::uint64_t{index} * DirEntryBytes;
    return storage_.write(at, entry(index), DirEntryBytes) ? Status::Ok : Status::WriteFault;
}

}  // namespace fat12
