// The machine code that the build assembles from boot.S and console.S and
// compiles in (see EmbedBytes.cmake), so the tool needs no files at run time.
#pragma once

#include <cstdint>
#include <span>

namespace sample {

// boot.S: the boot sector from its first byte to the end of the code.
std::span<const std::uint8_t> bootProgram();

// console.S: the MZ header and the code of ZELKOR.EXE, without the padding.
std::span<const std::uint8_t> consoleProgramHead();

}  // namespace sample
