// Formatting a standard 1.44 MB diskette in memory: 2 heads x 80 tracks x 18
// sectors of 512 bytes, one sector per cluster, two tables of 9 sectors, 224
// root-directory entries, media byte F0. Files go onto it through a Volume.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "platform/fat12/Directory.h"

namespace fat12 {

constexpr std::uint32_t DisketteSectors = 2880;
constexpr std::size_t DisketteBytes = std::size_t{DisketteSectors} * 512;

struct FormatOptions {
    // Empty: "NO NAME" in the parameter block and no label entry.
    std::string_view label;
    std::uint32_t serialNumber = 0;
    // The label entry's time stamp.
    DosStamp stamp;
    // The boot sector from byte 0 up to the end of its code: a short jump,
    // room for the parameter block, the code. The parameter block is ours.
    std::span<const std::uint8_t> bootProgram;
    // Goes right after the code, followed by a NUL.
    std::string_view bootMessage;
};

// The whole diskette, 1,474,560 bytes. Throws std::invalid_argument for a
// label DOS would not accept or a boot program that does not start with a
// short jump over the parameter block, std::length_error when the program
// and its message do not fit in the boot sector.
std::vector<std::uint8_t> formatDiskette(const FormatOptions& options);

}  // namespace fat12
