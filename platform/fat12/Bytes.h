// Little-endian fields of the boot sector, the table and directory entries.
#pragma once

#include <cstdint>

namespace fat12 {

inline std::uint32_t get16(const std::uint8_t* at) { return std::uint32_t{at[0]} | (std::uint32_t{at[1]} << 8); }

inline std::uint32_t get32(const std::uint8_t* at) { return get16(at) | (get16(at + 2) << 16); }

inline void put16(std::uint8_t* at, std::uint32_t v) {
    at[0] = static_cast<std::uint8_t>(v & 0xFF);
    at[1] = static_cast<std::uint8_t>((v >> 8) & 0xFF);
}

inline void put32(std::uint8_t* at, std::uint32_t v) {
    put16(at, v & 0xFFFF);
    put16(at + 2, v >> 16);
}

}  // namespace fat12
