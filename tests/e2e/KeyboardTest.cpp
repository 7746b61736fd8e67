// The real Linux program under Xvfb, driven from the keyboard only:
// Regeneration > Create Diskette > OK > Continue must leave a diskette image
// that peers accept and that boots; Alt+E then ends the program. Drive A: is
// named by --drive, over DORVANE_DRIVE_A, and Qt's -platform and -display
// pass through.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "tests/e2e/Desktop.h"
#include "tools/SampleDiskette.h"

namespace e2e {
namespace {

using peers::runCommand;

bool has(const std::string& program) { return peers::programExists(program); }

// Waits for a visible top-level window with this exact title; returns its id.
std::string windowNamed(const Desktop& desktop, const std::string& title) {
    return desktop.x("timeout 20 xdotool search --sync --onlyvisible --name '^" + title + "$' | head -n 1");
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
    const Desktop desktop(session, Desktop::WindowManager::None);
    ASSERT_TRUE(desktop.started()) << peers::readText(session / "xvfb.log");
    const std::string& display = desktop.display();

    const peers::Bytes blank = peers::readFile(session / "A.img");
    peers::writeFile(session / "floppy.img", blank);
    // The display is Qt's -display, with no DISPLAY at all.
    const peers::BackgroundProgram shell("env -u QT_QPA_PLATFORM -u DISPLAY DORVANE_DRIVE_A=A.img " DORVANE_SHELL_PATH
                                         " -platform xcb -display " + display + " --drive floppy.img",
                                         session.dir(), "shell");
    const std::string main = windowNamed(desktop, "Dorvane Shell");
    ASSERT_FALSE(main.empty()) << peers::readText(session / "shell.log");

    keys(main, "alt+r Return", display, session.dir());
    const std::string dialog = windowNamed(desktop, "Create Diskette");
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
    EXPECT_TRUE(
        peers::waitUntil([&] { return windowNamed(desktop, "Dorvane Shell").empty(); }, std::chrono::seconds(30)));
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

// Enter pressed while a run is in progress must not answer its result: the
// program is stopped in the middle of a run (its first raw write held back),
// keys are pressed, and it goes on. The created state must stay on screen
// until a key pressed after it is shown.
TEST(Keyboard, KeysPressedDuringARunLeaveTheResultOnScreen) {
    for (const char* program : {"Xvfb", "xdotool", "mdir"})
        if (!has(program)) GTEST_SKIP() << "skipped: " << program << " missing";
    Session session;
    const Desktop desktop(session, Desktop::WindowManager::None);
    ASSERT_TRUE(desktop.started()) << peers::readText(session / "xvfb.log");
    const std::string& display = desktop.display();

    const peers::BackgroundProgram shell("env DISPLAY=" + display + " QT_QPA_PLATFORM=xcb DORVANE_HOLD_WRITE=. "
                                         "LD_PRELOAD=" DORVANE_HELD_WRITE_PATH " " DORVANE_SHELL_PATH,
                                         session.dir(), "shell");
    const std::string main = windowNamed(desktop, "Dorvane Shell");
    ASSERT_FALSE(main.empty()) << peers::readText(session / "shell.log");
    const std::string pid = desktop.x("xdotool getwindowpid " + main);
    ASSERT_FALSE(pid.empty());

    keys(main, "alt+r Return", display, session.dir());
    const std::string dialog = windowNamed(desktop, "Create Diskette");
    ASSERT_FALSE(dialog.empty());
    keys(dialog, "Return shift+Tab Return", display, session.dir());
    ASSERT_TRUE(peers::waitUntil([&] { return std::filesystem::exists(session / "held"); }, std::chrono::seconds(30)));

    // Stopped in the middle of the run, the program gets Enter and Space, the
    // keys that press a focused button.
    ASSERT_EQ(runCommand("kill -STOP " + pid, session.dir()).exitCode, 0);
    keys(dialog, "Return space Return", display, session.dir());
    ASSERT_EQ(runCommand("kill -CONT " + pid, session.dir()).exitCode, 0);
    peers::writeFile(session / "go", peers::Bytes{});

    const auto listed = [&] {
        return std::regex_search(runCommand("mdir -i A.img ::", session.dir()).output,
                                 std::regex("ZELKOR +EXE +96256 "));
    };
    ASSERT_TRUE(peers::waitUntil(listed, std::chrono::seconds(60)));
    // Keys reach the program in order: once the about box opened by these
    // has come up, the ones pressed during the run have been dealt with.
    keys(main, "alt+a", display, session.dir());
    ASSERT_FALSE(windowNamed(desktop, "About").empty());
    EXPECT_FALSE(runCommand("DISPLAY=" + display + " xdotool search --onlyvisible --name '^Create Diskette$'",
                            session.dir())
                     .output.empty())
        << "the result was closed by a key pressed during the run";

    // A key pressed after the result is shown answers it as before.
    keys(dialog, "Return", display, session.dir());
    EXPECT_TRUE(peers::waitUntil(
        [&] {
            return runCommand("DISPLAY=" + display + " xdotool search --onlyvisible --name '^Create Diskette$'",
                              session.dir())
                .output.empty();
        },
        std::chrono::seconds(20)));
}

}  // namespace
}  // namespace e2e
