// The real Linux program under Xvfb, driven from the keyboard only:
// Regeneration > Create Diskette > OK > Continue must leave a diskette image
// that peers accept and that boots; Alt+E then ends the program. Drive A: is
// named by --drive, over DORVANE_DRIVE_A, and Qt's -platform passes through.
#include <gtest/gtest.h>

#include <regex>

#include "tests/e2e/Session.h"
#include "tools/SampleDiskette.h"

namespace e2e {
namespace {

using peers::runCommand;

bool has(const std::string& program) { return peers::programExists(program); }

// Waits for a visible top-level window with this exact title; returns its id.
std::string windowNamed(const std::string& title, const std::string& display, const fs::path& dir) {
    const auto found = runCommand("DISPLAY=" + display + " timeout 20 xdotool search --sync --onlyvisible --name '^" +
                                      title + "$' | head -n 1",
                                  dir);
    std::string id = found.output;
    while (!id.empty() && (id.back() == '\n' || id.back() == ' ')) id.pop_back();
    return found.exitCode == 0 ? id : "";
}

void keys(const std::string& window, const std::string& keys, const std::string& display, const fs::path& dir) {
    ASSERT_EQ(runCommand("DISPLAY=" + display + " xdotool windowfocus --sync " + window + " key --delay 50 " + keys, dir)
                  .exitCode,
              0);
}

TEST(Keyboard, CreateDisketteFromTheMenuBarProducesABootableDiskette) {
    for (const char* program : {"Xvfb", "xdotool", "mdir", "fsck.fat"})
        if (!has(program)) GTEST_SKIP() << "skipped: " << program << " missing";
    Session session;
    const peers::BackgroundProgram xvfb("Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp", session.dir(), "xvfb");
    ASSERT_TRUE(peers::waitUntil([&] { return !peers::readText(session / "xvfb.log").empty(); },
                                 std::chrono::seconds(20)));
    const std::string number = peers::readText(session / "xvfb.log").substr(0, peers::readText(session / "xvfb.log").find('\n'));
    const std::string display = ":" + number;

    const peers::Bytes blank = peers::readFile(session / "A.img");
    peers::writeFile(session / "floppy.img", blank);
    const peers::BackgroundProgram shell("env -u QT_QPA_PLATFORM DISPLAY=" + display + " DORVANE_DRIVE_A=A.img " +
                                             DORVANE_SHELL_PATH + " -platform xcb --drive floppy.img",
                                         session.dir(), "shell");
    const std::string main = windowNamed("Dorvane Shell", display, session.dir());
    ASSERT_FALSE(main.empty()) << peers::readText(session / "shell.log");

    keys(main, "alt+r Return", display, session.dir());
    const std::string dialog = windowNamed("Create Diskette", display, session.dir());
    ASSERT_FALSE(dialog.empty());
    // OK has the focus; then Cancel has it, and Continue comes before it.
    keys(dialog, "Return shift+Tab Return", display, session.dir());

    const auto listed = [&] {
        const auto listing = runCommand("mdir -i floppy.img ::", session.dir()).output;
        return std::regex_search(listing, std::regex("ZELKOR +EXE +96256 "));
    };
    ASSERT_TRUE(peers::waitUntil(listed, std::chrono::seconds(60)))
        << runCommand("mdir -i floppy.img ::", session.dir()).output;
    EXPECT_EQ(runCommand("fsck.fat -n floppy.img", session.dir()).exitCode, 0);
    EXPECT_EQ(peers::readFile(session / "A.img"), blank);

    keys(main, "alt+e", display, session.dir());
    EXPECT_TRUE(peers::waitUntil([&] { return windowNamed("Dorvane Shell", display, session.dir()).empty(); },
                                 std::chrono::seconds(30)));
    // A run that succeeded explains nothing.
    EXPECT_EQ(peers::readText(session / "shell.log").find("dorvane-shell:"), std::string::npos)
        << peers::readText(session / "shell.log");

    if (!has("qemu-system-i386")) GTEST_SKIP() << "skipped: qemu-system-i386 missing";
    const std::string message(sample::SampleBootMessage.substr(0, sample::SampleBootMessage.find('\r')));
    const peers::BackgroundProgram qemu("qemu-system-i386 -drive file=floppy.img,if=floppy,format=raw,index=0 "
                                        "-boot a -display none -monitor none -no-reboot -serial file:serial.txt",
                                        session.dir(), "qemu");
    EXPECT_TRUE(peers::waitUntil(
        [&] { return peers::readText(session / "serial.txt").find(message) != std::string::npos; },
        std::chrono::seconds(60)));
}

}  // namespace
}  // namespace e2e
