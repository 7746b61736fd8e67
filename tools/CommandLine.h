// The command line of dsck-sample.
//
//   dsck-sample [--sectors N] [--out PATH]   the sample image (1408, "Dsck.tr")
//   dsck-sample --blank-diskette PATH        a blank formatted 1.44 MB diskette
//   dsck-sample --help
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace sample {

// In the shape of the Linux program's command line (programs/linux).
struct CommandLine {
    enum class Action { WriteImage, WriteBlankDiskette, Help, Misuse };
    Action action = Action::WriteImage;
    std::int32_t sectors = 0;
    std::filesystem::path out;
    std::string error;  // what was wrong, for Misuse
};

// Reads argv[1..]; argv[0] is the program.
CommandLine readCommandLine(const std::vector<std::string>& args);

std::string usageText();

}  // namespace sample
