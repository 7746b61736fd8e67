// The Linux program's command line: its own options, read before anything
// needs a display, and Qt's options (-platform, -display, ...), left for
// QApplication.
#pragma once

#include <string>
#include <vector>

namespace linuxprogram {

struct CommandLine {
    enum class Action { Run, Help, Version, Misuse };
    Action action = Action::Run;
    std::string drive;  // --drive PATH; empty when not given
    // A regeneration image given by path (a desktop's "Open with", the menu
    // entry's %f): its folder is the working folder. Named Dsck.tr, the one
    // name the shell reads; empty when not given.
    std::string image;
    std::string error;  // what was wrong, for Misuse
    bool platformGiven = false;  // -platform: Qt needs no display of ours
    bool displayGiven = false;   // -display: the display to open, over DISPLAY
};

// Reads argv[1..]; argv[0] is the program.
CommandLine readCommandLine(const std::vector<std::string>& args);

// What --help prints: what the program does, the options, where drive A: is
// and the exit codes.
std::string usageText();

// The folder a given image lies in ("." for a bare name).
std::string folderOf(const std::string& image);

inline constexpr int ExitMisuse = 2;
inline constexpr int ExitNoDisplay = 1;

}  // namespace linuxprogram
