// Test images whose every sector carries its own number, so a misplaced
// sector shows at once.
#pragma once

#include <cstdint>
#include <cstring>

#include "tests/fakes/FakeKernel.h"
#include "tests/support/ImageMap.h"

namespace fakes {

inline Bytes NumberedSector(std::uint32_t n) {
    Bytes s(512);
    for (std::size_t i = 0; i < 512; i += 4) std::memcpy(&s[i], &n, 4);
    s[511] = static_cast<std::uint8_t>(0xA5 ^ n);  // odd byte: catches off-by-one copies
    return s;
}

inline Bytes NumberedImage(std::size_t sectors) {
    Bytes image;
    image.reserve(sectors * 512);
    for (std::size_t n = 0; n < sectors; ++n) {
        Bytes s = NumberedSector(static_cast<std::uint32_t>(n));
        image.insert(image.end(), s.begin(), s.end());
    }
    return image;
}

// Bytes [first, first + count) of sectors of `image`.
inline Bytes Sectors(const Bytes& image, std::size_t first, std::size_t count) {
    return Bytes(image.begin() + static_cast<std::ptrdiff_t>(first * 512),
                 image.begin() + static_cast<std::ptrdiff_t>((first + count) * 512));
}

// zelkor.exe as the image holds it, by the tests' own map rather than the
// shell's table.
inline Bytes ConsoleProgramOf(const Bytes& image) {
    Bytes out;
    for (const imagemap::Run& run : imagemap::ConsoleProgramRuns) {
        Bytes part = Sectors(image, run.first, run.last - run.first + 1);
        out.insert(out.end(), part.begin(), part.end());
    }
    return out;
}

}  // namespace fakes
