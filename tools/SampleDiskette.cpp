#include "tools/SampleDiskette.h"

#include <span>
#include <stdexcept>
#include <string>

#include "media/ImageLayout.h"
#include "platform/fat12/Format.h"
#include "platform/fat12/Storage.h"
#include "platform/fat12/Volume.h"
#include "tools/AssembledPrograms.h"
#include "tools/SectorPattern.h"

namespace sample {
namespace {

// Fixed serial numbers keep the output the same from run to run.
constexpr std::uint32_t SampleSerial = 0x0132D5C7;
constexpr std::uint32_t BlankSerial = 0x0132B1A7;
// Every entry gets the same time stamp, so two runs make identical files.
constexpr fat12::DosStamp Stamp = fat12::DosStamp::from(2025, 1, 2, 13, 20, 0);

constexpr std::string_view Readme =
    "Dorvane sample regenerating diskette\r\n"
    "====================================\r\n"
    "\r\n"
    "This diskette was made by dsck-sample for trying out and testing the\r\n"
    "Dorvane Shell. It is a sample without the regeneration program:\r\n"
    "booting it only shows a notice, and ZELKOR.EXE only prints a notice.\r\n"
    "\r\n"
    "SECTORS.DAT fills the rest of the diskette's first 788 sectors; each\r\n"
    "of its sectors names its own sector number on the diskette.\r\n";

constexpr std::string_view AutoexecBat =
    "@ECHO OFF\r\n"
    "REM Dorvane sample regenerating diskette\r\n"
    "ECHO This is a sample diskette without the regeneration program.\r\n";

constexpr std::string_view ConfigSys =
    "REM Dorvane sample regenerating diskette\r\n"
    "FILES=20\r\n"
    "BUFFERS=20\r\n";

std::span<const std::uint8_t> bytes(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// Files go onto a fresh diskette one after the other, in consecutive clusters
// (one sector each), so what lands in which sector is easy to predict.
void addFile(fat12::Volume& disk, std::string_view name, std::span<const std::uint8_t> content) {
    std::size_t written = 0;
    if (disk.create(name, Stamp) != fat12::Status::Ok ||
        disk.write(content.data(), content.size(), written) != fat12::Status::Ok || disk.close() != fat12::Status::Ok)
        throw std::length_error("the diskette has no room for " + std::string(name));
}

// The diskette sector where the next file would start.
std::int32_t nextFreeSector(const fat12::Volume& disk) {
    const auto offset = disk.firstFreeOffset();
    if (!offset) throw std::length_error("the diskette is full");
    return static_cast<std::int32_t>(*offset / fat12::SectorBytes);
}

// Sectors `first` to `last` of the diskette, each naming its own number.
std::vector<std::uint8_t> fillerFile(std::int32_t first, std::int32_t last) {
    if (first > last) throw std::logic_error("the sample files leave no room for the filler");
    std::vector<std::uint8_t> content(static_cast<std::size_t>(last - first + 1) * media::SectorSize);
    for (std::int32_t s = first; s <= last; ++s)
        fillNumberedSector(std::span(content).subspan(static_cast<std::size_t>(s - first) * media::SectorSize,
                                                      media::SectorSize),
                           SectorTag::File, s);
    return content;
}

}  // namespace

std::vector<std::uint8_t> buildSampleDiskette() {
    fat12::MemoryStorage storage(
        fat12::formatDiskette({SampleVolumeLabel, SampleSerial, Stamp, bootProgram(), SampleBootMessage}));
    fat12::Volume disk(storage);
    if (disk.mount() != fat12::Status::Ok) throw std::logic_error("the formatted diskette does not mount");
    addFile(disk, SampleFileNames[0], bytes(Readme));
    addFile(disk, SampleFileNames[1], bytes(AutoexecBat));
    addFile(disk, SampleFileNames[2], bytes(ConfigSys));
    const std::int32_t first = nextFreeSector(disk);
    addFile(disk, SampleFileNames[3], fillerFile(first, media::RawAreaSectors - 1));
    return storage.bytes();
}

std::vector<std::uint8_t> buildBlankDiskette() {
    return fat12::formatDiskette({"", BlankSerial, Stamp, bootProgram(), BlankBootMessage});
}

}  // namespace sample
