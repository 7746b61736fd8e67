// What a finished run must leave on drive A:, computed from the image bytes
// by the layout tables, and small whole-file helpers.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace bench {

using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t DisketteBytes = 1'474'560;

// Diskette sectors 0-787 as the placements rebuild them from the image.
Bytes rebuildRawArea(const Bytes& image);

// "a:/Dsck.tr": the first 720,896 bytes of the image; past the end of a
// shorter image the shell writes zeros.
Bytes imageCopy(const Bytes& image);

// "a:zelkor.exe": the console program's runs, concatenated.
Bytes consoleProgram(const Bytes& image);

Bytes readFile(const std::filesystem::path& path);
// Throws std::runtime_error when the file can't be written in full.
void writeFile(const std::filesystem::path& path, const Bytes& bytes);

}  // namespace bench
