// The Linux program's command line, run for real without a display: what
// each option and each wrong use prints where, and the exit code.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "programs/linux/DisplayCheck.h"
#include "tests/support/Peers.h"

namespace e2e {
namespace {

struct Use {
    const char* args;
    int exitCode;
    const char* out;  // what standard output holds ("" = nothing)
    const char* err;  // what standard error holds ("" = nothing)
    const char* env = "";  // set for this use, on top of no display at all
};

constexpr const char* Usage = "Usage: dorvane-shell [--drive PATH]";
constexpr const char* Version = "Dorvane Shell 1.32\n";

const Use Uses[] = {
    {"--help", 0, Usage, ""},
    {"-h", 0, Usage, ""},
    {"--version", 0, Version, ""},
    {"-v", 0, Version, ""},
    {"--drive other.img --version", 0, Version, ""},
    {"--drive=other.img -h", 0, Usage, ""},
    // Qt's own options are Qt's, with or without our own beside them.
    {"-platform offscreen --version", 0, Version, ""},
    {"--platform=offscreen -display :99 -reverse --help", 0, Usage, ""},
    {"--bogus", 2, "", "dorvane-shell: Unknown option 'bogus'."},
    {"-x", 2, "", "dorvane-shell: Unknown option 'x'."},
    {"--drive", 2, "", "dorvane-shell: Missing value after '--drive'."},
    {"--drive=", 2, "", "dorvane-shell: --drive needs a path"},
    {"--version -platform", 2, "", "dorvane-shell: missing value after -platform"},
    // A file to open must be a Dsck.tr; its folder becomes the working one.
    {"A.img", 2, "", "dorvane-shell: only a regeneration image named Dsck.tr is read, not A.img"},
    {"sub/dsck.tr", 2, "", "dorvane-shell: only a regeneration image named Dsck.tr is read, not sub/dsck.tr"},
    {"a/Dsck.tr b/Dsck.tr", 2, "", "dorvane-shell: unexpected argument: b/Dsck.tr"},
    {"sub/Dsck.tr --version", 0, Version, ""},
    {"/no/such/folder/Dsck.tr", 2, "", "dorvane-shell: cannot work in /no/such/folder: No such file or directory\n"},
    // A right command line and no display: the display is what is missing.
    {"--drive A.img", 1, "", "dorvane-shell: no display; try: xvfb-run ./run.sh\n"},
    // A display or a platform that Qt cannot open: one line, never Qt's abort.
    {"", 1, "", "dorvane-shell: no display Qt can open (could not connect to display :77); try: xvfb-run ./run.sh\n",
     "DISPLAY=:77"},
    {"", 1, "", "dorvane-shell: no display Qt can open (could not connect to display); try: xvfb-run ./run.sh\n",
     "QT_QPA_PLATFORM=xcb"},
    {"-display :77", 1, "",
     "dorvane-shell: no display Qt can open (could not connect to display :77); try: xvfb-run ./run.sh\n"},
    {"-platform bogus", 1, "",
     "dorvane-shell: no display Qt can open (Could not find the Qt platform plugin \"bogus\" in \"\"); try: "
     "xvfb-run ./run.sh\n"},
};

TEST(CommandLine, EachOptionAndEachWrongUse) {
    const peers::TempDir dir;
    for (const Use& use : Uses) {
        SCOPED_TRACE(use.args);
        const auto run = peers::runCommand(std::string("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ") +
                                               use.env + " " + DORVANE_SHELL_PATH + " " + use.args +
                                               " >out.txt 2>err.txt",
                                           dir.path());
        EXPECT_EQ(run.exitCode, use.exitCode);
        const std::string out = peers::readText(dir / "out.txt");
        const std::string err = peers::readText(dir / "err.txt");
        // Each stream starts with what the row says, or is empty.
        EXPECT_EQ(out.substr(0, std::string(use.out).size()), use.out);
        EXPECT_EQ(err.substr(0, std::string(use.err).size()), use.err);
        if (use.exitCode == 1) {
            EXPECT_EQ(err, use.err) << "one line";
        }
        if (*use.out == '\0') {
            EXPECT_EQ(out, "");
        }
        if (*use.err == '\0') {
            EXPECT_EQ(err, "");
        }
        // A wrong use shows the usage after the error.
        if (use.exitCode == 2) {
            EXPECT_NE(err.find(Usage), std::string::npos) << err;
        }
    }
}

TEST(CommandLine, HelpNamesTheOptionsDriveAAndTheExitCodes) {
    const peers::TempDir dir;
    const auto run = peers::runCommand(std::string(DORVANE_SHELL_PATH) + " --help", dir.path());
    for (const char* part : {"--help", "--version", "--drive PATH", "DORVANE_DRIVE_A", "A.img", "Exit status",
                             "  2  the command line was wrong"})
        EXPECT_NE(run.output.find(part), std::string::npos) << part;
}

// Whether the program tries to start Qt at all: any display, or a platform
// the user chose, will do.
TEST(DisplayCheck, AnyDisplayOrAChosenPlatformWillDo) {
    const struct {
        std::map<std::string, std::string> env;
        bool available;
    } rows[] = {
        {{}, false},
        {{{"DISPLAY", ""}}, false},
        {{{"DISPLAY", ":0"}}, true},
        {{{"WAYLAND_DISPLAY", "wayland-0"}}, true},
        {{{"QT_QPA_PLATFORM", "offscreen"}}, true},
    };
    for (const auto& r : rows) {
        const auto lookup = [&](const char* name) -> const char* {
            const auto it = r.env.find(name);
            return it == r.env.end() ? nullptr : it->second.c_str();
        };
        EXPECT_EQ(linuxprogram::displayAvailable(lookup), r.available);
    }
}

}  // namespace
}  // namespace e2e
