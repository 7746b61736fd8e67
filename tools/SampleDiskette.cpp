#include "tools/SampleDiskette.h"

#include <span>
#include <stdexcept>
#include <string>

#include "media/ImageLayout.h"
#include "tools/AssembledPrograms.h"
#include "tools/Fat12Builder.h"
#include "tools/SectorPattern.h"

namespace sample {
namespace {

// Fixed serial numbers keep the output the same from run to run.
constexpr std::uint32_t SampleSerial = 0x0132D5C7;
constexpr std::uint32_t BlankSerial = 0x0132B1A7;

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
    Fat12Builder disk(SampleVolumeLabel, SampleSerial);
    disk.setBootProgram(bootProgram(), SampleBootMessage);
    disk.addFile(SampleFileNames[0], bytes(Readme));
    disk.addFile(SampleFileNames[1], bytes(AutoexecBat));
    disk.addFile(SampleFileNames[2], bytes(ConfigSys));
    const std::int32_t first = disk.nextFreeSector();
    disk.addFile(SampleFileNames[3], fillerFile(first, media::RawAreaSectors - 1));
    return disk.image();
}

std::vector<std::uint8_t> buildBlankDiskette() {
    Fat12Builder disk("", BlankSerial);
    disk.setBootProgram(bootProgram(), BlankBootMessage);
    return disk.image();
}

}  // namespace sample
