#include "tools/Fat12Builder.h"

#include <algorithm>
#include <stdexcept>

namespace sample {
namespace {

using F = Fat12Format;

constexpr std::size_t ParameterBlockEnd = 0x3E;  // end of the extended BIOS parameter block
constexpr std::size_t SignatureOffset = 510;
constexpr std::uint8_t AttributeVolumeLabel = 0x08;
constexpr std::uint8_t AttributeArchive = 0x20;
constexpr std::uint16_t EndOfChain = 0xFFF;

// Every entry gets the same time stamp, so two runs make identical files.
constexpr std::uint16_t dosDate(int year, int month, int day) {
    return static_cast<std::uint16_t>(((year - 1980) << 9) | (month << 5) | day);
}
constexpr std::uint16_t dosTime(int hour, int minute) {
    return static_cast<std::uint16_t>((hour << 11) | (minute << 5));
}
constexpr std::uint16_t StampDate = dosDate(2025, 1, 2);
constexpr std::uint16_t StampTime = dosTime(13, 20);

void put16(std::vector<std::uint8_t>& d, std::size_t at, std::uint32_t v) {
    d[at] = static_cast<std::uint8_t>(v);
    d[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void put32(std::vector<std::uint8_t>& d, std::size_t at, std::uint32_t v) {
    put16(d, at, v & 0xFFFF);
    put16(d, at + 2, v >> 16);
}

void putText(std::vector<std::uint8_t>& d, std::size_t at, std::string_view text) {
    std::copy(text.begin(), text.end(), d.begin() + static_cast<std::ptrdiff_t>(at));
}

std::size_t sectorOffset(std::int32_t sector) {
    return static_cast<std::size_t>(sector) * F::SectorBytes;
}

bool isNameChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           std::string_view("!#$%&'()-@^_`{}~").find(c) != std::string_view::npos;
}

// The label: up to 11 name characters, spaces allowed inside.
std::string labelField(std::string_view label) {
    if (label.size() > 11 || (!label.empty() && label.front() == ' ') ||
        !std::all_of(label.begin(), label.end(), [](char c) { return c == ' ' || isNameChar(c); }))
        throw std::invalid_argument("not a volume label DOS accepts: '" + std::string(label) + "'");
    std::string field(label);
    field.resize(11, ' ');
    return field;
}

}  // namespace

std::string shortNameField(std::string_view name) {
    const auto dot = name.find('.');
    const std::string_view base = name.substr(0, dot);
    const std::string_view ext = dot == std::string_view::npos ? std::string_view{} : name.substr(dot + 1);
    const auto valid = [](std::string_view part, std::size_t max) {
        return part.size() <= max && std::all_of(part.begin(), part.end(), isNameChar);
    };
    if (base.empty() || !valid(base, 8) || !valid(ext, 3))
        throw std::invalid_argument("not an upper-case 8.3 file name: '" + std::string(name) + "'");
    std::string field(base);
    field.resize(8, ' ');
    field += ext;
    field.resize(11, ' ');
    return field;
}

Fat12Builder::Fat12Builder(std::string_view volumeLabel, std::uint32_t serialNumber)
    : disk_(F::ImageBytes, 0) {
    writeParameterBlock(volumeLabel, serialNumber);

    // Clusters 0 and 1 of both tables: the media byte and an end-of-chain mark.
    setFatEntry(0, 0xF00 | F::MediaByte);
    setFatEntry(1, EndOfChain);

    if (!volumeLabel.empty()) {
        const std::size_t at = claimDirectoryEntry();
        putText(disk_, at, labelField(volumeLabel));
        disk_[at + 11] = AttributeVolumeLabel;
        put16(disk_, at + 22, StampTime);
        put16(disk_, at + 24, StampDate);
    }
}

void Fat12Builder::writeParameterBlock(std::string_view volumeLabel, std::uint32_t serialNumber) {
    auto& d = disk_;
    putText(d, 0x03, "DORVANE ");  // OEM name
    put16(d, 0x0B, F::SectorBytes);
    d[0x0D] = 1;  // sectors per cluster
    put16(d, 0x0E, F::ReservedSectors);
    d[0x10] = static_cast<std::uint8_t>(F::FatCount);
    put16(d, 0x11, F::RootEntries);
    put16(d, 0x13, F::TotalSectors);
    d[0x15] = F::MediaByte;
    put16(d, 0x16, F::SectorsPerFat);
    put16(d, 0x18, F::SectorsPerTrack);
    put16(d, 0x1A, F::Heads);
    put32(d, 0x1C, 0);  // hidden sectors: a diskette has no partition table
    put32(d, 0x20, 0);  // the 16-bit total at 0x13 is enough
    d[0x24] = 0x00;     // BIOS drive number of A:
    d[0x26] = 0x29;     // extended boot signature: serial, label and type follow
    put32(d, 0x27, serialNumber);
    putText(d, 0x2B, volumeLabel.empty() ? std::string("NO NAME    ") : labelField(volumeLabel));
    putText(d, 0x36, "FAT12   ");
    d[SignatureOffset] = 0x55;
    d[SignatureOffset + 1] = 0xAA;
}

void Fat12Builder::setBootProgram(std::span<const std::uint8_t> program, std::string_view message) {
    if (program.size() < ParameterBlockEnd || program[0] != 0xEB)
        throw std::invalid_argument("the boot program must start with a short jump over the parameter block");
    if (program.size() + message.size() + 1 > SignatureOffset)
        throw std::length_error("boot program and message exceed the boot sector");
    // Bytes 0-2 are the jump; the parameter block between them and the code stays ours.
    std::copy(program.begin(), program.begin() + 3, disk_.begin());
    std::copy(program.begin() + ParameterBlockEnd, program.end(),
              disk_.begin() + static_cast<std::ptrdiff_t>(ParameterBlockEnd));
    putText(disk_, program.size(), message);
    disk_[program.size() + message.size()] = 0;
}

std::int32_t Fat12Builder::addFile(std::string_view name, std::span<const std::uint8_t> content) {
    const std::string field = shortNameField(name);
    const auto clusters = static_cast<std::int32_t>((content.size() + F::SectorBytes - 1) / F::SectorBytes);
    if (nextCluster_ - F::FirstCluster + clusters > F::DataClusters)
        throw std::length_error("the diskette has no room for " + std::string(name));
    const std::size_t entry = claimDirectoryEntry();

    const std::int32_t first = nextCluster_;
    const std::int32_t firstSector = nextFreeSector();
    std::copy(content.begin(), content.end(), disk_.begin() + static_cast<std::ptrdiff_t>(sectorOffset(firstSector)));
    for (std::int32_t c = first; c < first + clusters; ++c)
        setFatEntry(c, c + 1 == first + clusters ? EndOfChain : static_cast<std::uint16_t>(c + 1));
    nextCluster_ += clusters;

    putText(disk_, entry, field);
    disk_[entry + 11] = AttributeArchive;
    put16(disk_, entry + 14, StampTime);  // created
    put16(disk_, entry + 16, StampDate);
    put16(disk_, entry + 18, StampDate);  // last access
    put16(disk_, entry + 22, StampTime);  // last write
    put16(disk_, entry + 24, StampDate);
    put16(disk_, entry + 26, clusters == 0 ? 0u : static_cast<std::uint32_t>(first));
    put32(disk_, entry + 28, static_cast<std::uint32_t>(content.size()));
    return firstSector;
}

std::int32_t Fat12Builder::nextFreeSector() const {
    return F::FirstDataSector + nextCluster_ - F::FirstCluster;
}

void Fat12Builder::setFatEntry(std::int32_t cluster, std::uint16_t value) {
    // Two 12-bit entries share three bytes: an even cluster takes the first
    // byte and the low half of the second, an odd one the rest.
    const auto offset = static_cast<std::size_t>(cluster) * 3 / 2;
    for (std::int32_t copy = 0; copy < F::FatCount; ++copy) {
        const std::size_t at = sectorOffset(F::FirstFatSector + copy * F::SectorsPerFat) + offset;
        if (cluster % 2 == 0) {
            disk_[at] = static_cast<std::uint8_t>(value);
            disk_[at + 1] = static_cast<std::uint8_t>((disk_[at + 1] & 0xF0) | ((value >> 8) & 0x0F));
        } else {
            disk_[at] = static_cast<std::uint8_t>((disk_[at] & 0x0F) | ((value & 0x0F) << 4));
            disk_[at + 1] = static_cast<std::uint8_t>(value >> 4);
        }
    }
}

std::size_t Fat12Builder::claimDirectoryEntry() {
    if (usedEntries_ == F::RootEntries) throw std::length_error("the root directory is full");
    return sectorOffset(F::FirstRootSector) + static_cast<std::size_t>(usedEntries_++) * F::DirectoryEntryBytes;
}

}  // namespace sample
