// Builds a standard 1.44 MB FAT12 diskette in memory.
//
// The sample image carries the first 788 sectors of such a diskette, and the
// blank diskette that the shell writes onto in tests is one too. The builder
// knows only the one format the shell's diskettes use; files go into the root
// directory, one after the other in consecutive clusters, so what lands in
// which sector is easy to predict.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace sample {

// 2 heads x 80 tracks x 18 sectors of 512 bytes, 1 sector per cluster, two
// allocation tables of 9 sectors, 224 root-directory entries, media byte F0.
struct Fat12Format {
    static constexpr std::int32_t SectorBytes = 512;
    static constexpr std::int32_t TotalSectors = 2880;
    static constexpr std::int32_t SectorsPerTrack = 18;
    static constexpr std::int32_t Heads = 2;
    static constexpr std::int32_t ReservedSectors = 1;
    static constexpr std::int32_t FatCount = 2;
    static constexpr std::int32_t SectorsPerFat = 9;
    static constexpr std::int32_t RootEntries = 224;
    static constexpr std::uint8_t MediaByte = 0xF0;

    static constexpr std::int32_t DirectoryEntryBytes = 32;
    static constexpr std::int32_t FirstFatSector = ReservedSectors;
    static constexpr std::int32_t FirstRootSector = FirstFatSector + FatCount * SectorsPerFat;
    static constexpr std::int32_t RootSectors = RootEntries * DirectoryEntryBytes / SectorBytes;
    static constexpr std::int32_t FirstDataSector = FirstRootSector + RootSectors;
    static constexpr std::int32_t DataClusters = TotalSectors - FirstDataSector;
    static constexpr std::int32_t FirstCluster = 2;  // clusters 0 and 1 hold the media byte
    static constexpr std::size_t ImageBytes = std::size_t{TotalSectors} * SectorBytes;
};
static_assert(Fat12Format::FirstRootSector == 19 && Fat12Format::FirstDataSector == 33);
static_assert(Fat12Format::ImageBytes == 1'474'560);

class Fat12Builder {
public:
    // An empty formatted diskette. An empty label gives the usual "NO NAME"
    // in the parameter block and no label entry in the root directory.
    Fat12Builder(std::string_view volumeLabel, std::uint32_t serialNumber);

    // Puts a boot program into sector 0. `program` is the sector from byte 0
    // up to the end of its code (jump, room for the parameter block, code);
    // `message` goes right after it, followed by a NUL. The parameter block
    // is kept. Throws std::length_error when the two don't fit.
    void setBootProgram(std::span<const std::uint8_t> program, std::string_view message);

    // Stores a file in the root directory and in the next free clusters.
    // `name` is an 8.3 name in capitals ("README.TXT"). Returns the diskette
    // sector that holds the file's first byte. Throws std::length_error when
    // the diskette or the root directory is full, std::invalid_argument for a
    // name that DOS wouldn't accept.
    std::int32_t addFile(std::string_view name, std::span<const std::uint8_t> content);

    // The sector where the next file would start.
    std::int32_t nextFreeSector() const;

    // The whole diskette, 1,474,560 bytes.
    const std::vector<std::uint8_t>& image() const { return disk_; }

private:
    void writeParameterBlock(std::string_view volumeLabel, std::uint32_t serialNumber);
    void setFatEntry(std::int32_t cluster, std::uint16_t value);
    std::size_t claimDirectoryEntry();

    std::vector<std::uint8_t> disk_;
    std::int32_t nextCluster_ = Fat12Format::FirstCluster;
    std::int32_t usedEntries_ = 0;
};

// "README.TXT" -> "README  TXT"; throws std::invalid_argument when the name
// is not a valid upper-case 8.3 name.
std::string shortNameField(std::string_view name);

}  // namespace sample
