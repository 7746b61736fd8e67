// ZELKOR.EXE of the sample image.
#pragma once

#include <cstdint>
#include <vector>

namespace sample {

// The assembled program padded with zeros to the 96,256 bytes that the
// shell copies. Throws std::logic_error when the assembled header announces
// another size, so the two can't drift apart.
std::vector<std::uint8_t> buildConsoleProgram();

// The file size that an MZ header announces (e_cp pages, the last one
// holding e_cblp bytes unless that is 0); 0 when `exe` is no MZ program.
std::uint32_t mzAnnouncedSize(const std::vector<std::uint8_t>& exe);

}  // namespace sample
