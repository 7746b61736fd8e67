// Creating files in the root directory of a FAT12 volume: create-new,
// sequential writes, close. This is all the diskette writer and the sample
// tool need, so it is all there is: no reading, no subdirectories, no long
// names.
//
// Every write updates the table copies and the directory entry before it
// returns, so the volume is consistent between writes, not only at close.
// A volume that looks damaged (a table chain that loops, leaves the volume
// or reaches a free cluster) is refused rather than written into.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/fat12/Directory.h"
#include "platform/fat12/Layout.h"
#include "platform/fat12/Name.h"
#include "platform/fat12/Storage.h"
#include "platform/fat12/Table.h"

namespace fat12 {

enum class Status {
    Ok,
    InvalidName,
    Exists,
    RootFull,
    DiskFull,
    Corrupt,
    WriteProtected,
    ReadFault,
    WriteFault,
    WrongState,  // not mounted, or no file / already a file open
};

class Volume {
public:
    explicit Volume(Storage& storage) : storage_(storage) {}

    // Reads and checks the boot sector, the first table and the root directory.
    Status mount();

    // Adds an empty file to the root directory; fails when the name exists.
    Status create(std::string_view name, DosStamp stamp);
    // Appends to the created file. On a full volume it writes what fits,
    // reports it in `written` and returns DiskFull.
    Status write(const void* data, std::size_t length, std::size_t& written);
    // Writes whatever metadata an earlier failure left unwritten.
    Status close();

    std::uint32_t fileSize() const { return file_ ? file_->size : 0; }

    // Where the first free cluster lies on the volume, which is where the
    // next file starts when the volume has only ever been written in order;
    // empty when the volume is not mounted or full.
    std::optional<std::uint64_t> firstFreeOffset() const;

private:
    struct OpenFile {
        std::uint32_t entry = 0;
        std::uint32_t first = 0;
        std::uint32_t last = 0;
        std::uint32_t size = 0;
    };

    Status checkChains();
    Status writeEntry(std::uint32_t index);
    Status flushMetadata();
    std::uint8_t* entry(std::uint32_t index) { return root_.data() + std::size_t{index} * DirEntryBytes; }

    Storage& storage_;
    std::optional<Layout> layout_;
    Table table_;
    std::vector<std::uint8_t> root_;
    std::optional<OpenFile> file_;
    std::uint32_t searchFrom_ = 2;
    bool entryDirty_ = false;
};

}  // namespace fat12
