// The program information file (PIF) of the sample image.
//
// Windows 9x starts an MS-DOS program through its PIF; the shell launches
// "zelkor.pif" and the PIF names the program and its console window.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "media/ImageLayout.h"

namespace sample {

using PifBytes = std::array<std::uint8_t, media::PifBytes>;

// A PIF that runs `programFile` (e.g. "ZELKOR.EXE", from the current
// directory) in a window titled `windowTitle`. Throws std::length_error
// when a text is too long for its field.
PifBytes buildPif(std::string_view windowTitle, std::string_view programFile);

}  // namespace sample
