// The command line of dsck-sample.
//
//   dsck-sample [--sectors N] [--out PATH]   the sample image (1408, "Dsck.tr")
//   dsck-sample --blank-diskette PATH        a blank formatted 1.44 MB diskette
//   dsck-sample --help
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace sample {

enum class Action { WriteImage, WriteBlankDiskette, ShowHelp };

struct Options {
    Action action = Action::WriteImage;
    std::int32_t sectors = 0;
    std::filesystem::path out;
};

struct ParsedCommandLine {
    Options options;
    std::string error;  // empty when the command line is good
};

// `args` without the program name.
ParsedCommandLine parseCommandLine(std::span<const std::string_view> args);

std::string usageText();

}  // namespace sample
