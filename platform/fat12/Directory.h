// The 32-byte entries of a FAT root directory and their time stamps.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/fat12/Bytes.h"

namespace fat12 {

constexpr std::uint32_t DirEntryBytes = 32;

// Where each field of an entry starts.
namespace field {
constexpr std::size_t Name = 0;              // 8 + 3 characters, blank-padded
constexpr std::size_t Attributes = 11;
constexpr std::size_t CreatedHundredths = 13;
constexpr std::size_t CreatedTime = 14;
constexpr std::size_t CreatedDate = 16;
constexpr std::size_t AccessedDate = 18;
constexpr std::size_t WrittenTime = 22;
constexpr std::size_t WrittenDate = 24;
constexpr std::size_t FirstCluster = 26;     // 16 bits
constexpr std::size_t FileSize = 28;         // 32 bits
}  // namespace field

// The first name byte of an entry that ends the directory, or of a deleted one.
constexpr std::uint8_t EndOfDirectory = 0x00;
constexpr std::uint8_t Deleted = 0xE5;

constexpr std::uint8_t AttrVolumeLabel = 0x08;
constexpr std::uint8_t AttrLongName = 0x0F;
constexpr std::uint8_t AttrArchive = 0x20;

// A directory entry's date and time, in DOS encoding.
struct DosStamp {
    std::uint16_t date = (1 << 5) | 1;  // 1980-01-01
    std::uint16_t time = 0;
    std::uint8_t hundredths = 0;

    // Clamped into the years DOS can encode, 1980-2107.
    static constexpr DosStamp from(int year, int month, int day, int hour, int minute, int second) {
        DosStamp stamp;
        if (year < 1980) return stamp;
        if (year > 2107) year = 2107, month = 12, day = 31, hour = 23, minute = 59, second = 58;
        stamp.date = static_cast<std::uint16_t>(((year - 1980) << 9) | (month << 5) | day);
        stamp.time = static_cast<std::uint16_t>((hour << 11) | (minute << 5) | (second / 2));
        stamp.hundredths = static_cast<std::uint8_t>((second % 2) * 100);
        return stamp;
    }
};

// Writes the stamp into every time field of `entry`: created, last access
// (a date only) and last write.
inline void stampEntry(std::uint8_t* e, DosStamp stamp) {
    e[field::CreatedHundredths] = stamp.hundredths;
    put16(e + field::CreatedTime, stamp.time);
    put16(e + field::CreatedDate, stamp.date);
    put16(e + field::AccessedDate, stamp.date);
    put16(e + field::WrittenTime, stamp.time);
    put16(e + field::WrittenDate, stamp.date);
}

}  // namespace fat12
