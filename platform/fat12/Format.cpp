#include "platform/fat12/Format.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "platform/fat12/Layout.h"
#include "platform/fat12/Name.h"
#include "platform/fat12/Storage.h"
#include "platform/fat12/Table.h"

namespace fat12 {
namespace {

constexpr std::uint8_t MediaByte = 0xF0;
constexpr std::size_t ParameterBlockEnd = 0x3E;  // end of the extended BIOS parameter block
constexpr std::size_t SignatureOffset = 510;

void putText(BootSector& boot, std::size_t at, std::string_view text) {
    std::copy(text.begin(), text.end(), boot.begin() + static_cast<std::ptrdiff_t>(at));
}

void writeParameterBlock(BootSector& boot, const ShortName& label, std::uint32_t serialNumber) {
    std::uint8_t* b = boot.data();
    putText(boot, 0x03, "DORVANE ");  // OEM name
    put16(b + 0x0B, SectorBytes);
    b[0x0D] = 1;           // sectors per cluster
    put16(b + 0x0E, 1);    // reserved sectors: the boot sector
    b[0x10] = 2;           // tables
    put16(b + 0x11, 224);  // root-directory entries
    put16(b + 0x13, DisketteSectors);
    b[0x15] = MediaByte;
    put16(b + 0x16, 9);   // sectors per table
    put16(b + 0x18, 18);  // sectors per track
    put16(b + 0x1A, 2);   // heads
    put32(b + 0x1C, 0);   // hidden sectors: a diskette has no partition table
    put32(b + 0x20, 0);   // the 16-bit total at 0x13 is enough
    b[0x24] = 0x00;       // BIOS drive number of A:
    b[0x26] = 0x29;       // extended boot signature: serial, label and type follow
    put32(b + 0x27, serialNumber);
    std::copy(label.begin(), label.end(), boot.begin() + 0x2B);
    putText(boot, 0x36, "FAT12   ");
    b[SignatureOffset] = 0x55;
    b[SignatureOffset + 1] = 0xAA;
}

// Bytes 0-2 are the jump; the parameter block between them and the code
// stays ours.
void placeBootProgram(BootSector& boot, std::span<const std::uint8_t> program, std::string_view message) {
    if (program.size() < ParameterBlockEnd || program[0] != 0xEB)
        throw std::invalid_argument("the boot program must start with a short jump over the parameter block");
    if (program.size() + message.size() + 1 > SignatureOffset)
        throw std::length_error("boot program and message exceed the boot sector");
    std::copy(program.begin(), program.begin() + 3, boot.begin());
    std::copy(program.begin() + ParameterBlockEnd, program.end(),
              boot.begin() + static_cast<std::ptrdiff_t>(ParameterBlockEnd));
    putText(boot, program.size(), message);
    boot[program.size() + message.size()] = 0;
}

}  // namespace

std::vector<std::uint8_t> formatDiskette(const FormatOptions& options) {
    const auto label = options.label.empty() ? toVolumeLabel("NO NAME") : toVolumeLabel(options.label);
    if (!label) throw std::invalid_argument("not a volume label DOS accepts: '" + std::string(options.label) + "'");
    BootSector boot{};
    writeParameterBlock(boot, *label, options.serialNumber);
    placeBootProgram(boot, options.bootProgram, options.bootMessage);

    // From here on the diskette is read as any volume is: through its
    // parameter block.
    MemoryStorage storage(std::vector<std::uint8_t>(DisketteBytes, 0));
    const auto layout = parseLayout(boot, storage.size());
    Table table;
    if (!layout || !storage.write(0, boot.data(), boot.size()) || !table.load(storage, *layout))
        throw std::logic_error("the diskette format does not hold together");
    // Entries 0 and 1 of every table: the media byte and an end-of-chain mark.
    table.set(0, 0xF00 | MediaByte);
    table.set(1, EndOfChain);
    table.flush(storage, *layout);

    if (!options.label.empty()) {
        std::uint8_t labelEntry[DirEntryBytes] = {};
        std::copy(label->begin(), label->end(), labelEntry + field::Name);
        labelEntry[field::Attributes] = AttrVolumeLabel;
        put16(labelEntry + field::WrittenTime, options.stamp.time);
        put16(labelEntry + field::WrittenDate, options.stamp.date);
        storage.write(layout->rootOffset, labelEntry, sizeof labelEntry);
    }
    return storage.bytes();
}

}  // namespace fat12
