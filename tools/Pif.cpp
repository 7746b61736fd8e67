#include "tools/Pif.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace sample {
namespace {

// What we fill in, by offset; every byte not named here stays zero, which
// Windows reads as "not set, use the default".
//
// Basic section, 0x000-0x170 (read by every Windows version):
//   0x001      checksum: low byte of the sum of bytes 0x002-0x170
//   0x002  30  window title, padded with spaces
//   0x020   2  most conventional memory the program may get, KB: 640
//   0x022   2  least conventional memory it needs, KB: 128
//   0x024  63  program file, NUL-padded; no path, so the current directory
//   0x063   1  flags: 0x10 = close the window when the program exits
//   0x065  64  start-up directory: empty, the current directory
//   0x0A5  64  command-line parameters: none
//
// Then a chain of section headings, each 22 bytes: a 16-byte NUL-padded name,
// the offset of the next heading (0xFFFF ends the chain), the offset of the
// section's data and its length.
//   0x171  "MICROSOFT PIFEX": the basic section above, 0x000, 0x171 bytes
//   0x187  "WINDOWS 386 3.0": the enhanced-mode section at 0x19D, 0x68 bytes
//
// Enhanced-mode section, 0x19D-0x204 (what Windows 9x uses for a DOS box):
//   +0x00   2  most conventional memory, KB: 640
//   +0x02   2  least conventional memory, KB: 128
//   +0x04   2  foreground priority: 100
//   +0x06   2  background priority: 50
//   +0x08-0x0F expanded and extended memory limits: 0, the program needs none
//   +0x10   4  flags: 0, a window (not full screen), no exclusive use
//   +0x28  64  parameters: none
//
// The rest of the 1,024 bytes is zero.
constexpr std::size_t TitleAt = 0x002, TitleBytes = 30;
constexpr std::size_t ProgramAt = 0x024, ProgramBytes = 63;
constexpr std::size_t BasicEnd = 0x171;
constexpr std::size_t FirstHeadingAt = 0x171;
constexpr std::size_t HeadingBytes = 22;
constexpr std::size_t EnhancedHeadingAt = FirstHeadingAt + HeadingBytes;
constexpr std::size_t EnhancedAt = EnhancedHeadingAt + HeadingBytes;
constexpr std::size_t EnhancedBytes = 0x68;
constexpr std::uint16_t LastHeading = 0xFFFF;
constexpr std::uint8_t CloseOnExit = 0x10;
static_assert(EnhancedAt == 0x19D && EnhancedAt + EnhancedBytes <= std::tuple_size_v<PifBytes>);

void put16(PifBytes& pif, std::size_t at, std::size_t value) {
    pif[at] = static_cast<std::uint8_t>(value);
    pif[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void putText(PifBytes& pif, std::size_t at, std::size_t field, std::string_view text, char pad) {
    if (text.size() > field) throw std::length_error("'" + std::string(text) + "' is too long for its PIF field");
    std::fill_n(pif.begin() + static_cast<std::ptrdiff_t>(at), field, static_cast<std::uint8_t>(pad));
    std::copy(text.begin(), text.end(), pif.begin() + static_cast<std::ptrdiff_t>(at));
}

void putHeading(PifBytes& pif, std::size_t at, std::string_view name, std::size_t next, std::size_t dataAt,
                std::size_t dataBytes) {
    putText(pif, at, 16, name, '\0');
    put16(pif, at + 16, next);
    put16(pif, at + 18, dataAt);
    put16(pif, at + 20, dataBytes);
}

}  // namespace

PifBytes buildPif(std::string_view windowTitle, std::string_view programFile) {
    PifBytes pif{};
    putText(pif, TitleAt, TitleBytes, windowTitle, ' ');
    put16(pif, 0x020, 640);
    put16(pif, 0x022, 128);
    putText(pif, ProgramAt, ProgramBytes - 1, programFile, '\0');  // keeps one NUL
    pif[0x063] = CloseOnExit;

    putHeading(pif, FirstHeadingAt, "MICROSOFT PIFEX", EnhancedHeadingAt, 0, BasicEnd);
    putHeading(pif, EnhancedHeadingAt, "WINDOWS 386 3.0", LastHeading, EnhancedAt, EnhancedBytes);
    put16(pif, EnhancedAt + 0x00, 640);
    put16(pif, EnhancedAt + 0x02, 128);
    put16(pif, EnhancedAt + 0x04, 100);
    put16(pif, EnhancedAt + 0x06, 50);

    unsigned sum = 0;
    for (std::size_t i = 2; i < BasicEnd; ++i) sum += pif[i];
    pif[1] = static_cast<std::uint8_t>(sum);
    return pif;
}

}  // namespace sample
