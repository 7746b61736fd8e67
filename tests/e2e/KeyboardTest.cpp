// The real Linux program under Xvfb, driven from the keyboard only:
// Regeneration > Create Diskette > OK > Continue must leave a diskette image
// that peers accept and that boots; Alt+E then ends the program.
#include <gtest/gtest.h>

#include <filesystem>
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
    const std::string number = xvfbDisplayNumber(session / "xvfb.log", std::chrono::seconds(20));
    ASSERT_FALSE(number.empty()) << peers::readText(session / "xvfb.log");
    const std::string display = ":" + number;

    const peers::BackgroundProgram shell("env DISPLAY=" + display + " QT_QPA_PLATFORM=xcb " + DORVANE_SHELL_PATH,
                                         session.dir(), "shell");
    const std::string main = windowNamed("Dorvane Shell", display, session.dir());
    ASSERT_FALSE(main.empty()) << peers::readText(session / "shell.log");

    keys(main, "alt+r Return", display, session.dir());
    const std::string dialog = windowNamed("Create Diskette", display, session.dir());
    ASSERT_FALSE(dialog.empty());
    // OK has the focus; then Cancel has it, and Continue comes before it.
    keys(dialog, "Return shift+Tab Return", display, session.dir());

    const auto listed = [&] {
        const auto listing = runCommand("mdir -i A.img ::", session.dir()).output;
        return std::regex_search(listing, std::regex("ZELKOR +EXE +96256 "));
    };
    ASSERT_TRUE(peers::waitUntil(listed, std::chrono::seconds(60))) << runCommand("mdir -i A.img ::", session.dir()).output;
    EXPECT_EQ(runCommand("fsck.fat -n A.img", session.dir()).exitCode, 0);

    keys(main, "alt+e", display, session.dir());
    EXPECT_TRUE(peers::waitUntil([&] { return windowNamed("Dorvane Shell", display, session.dir()).empty(); },
                                 std::chrono::seconds(30)));

    if (!has("qemu-system-i386")) GTEST_SKIP() << "skipped: qemu-system-i386 missing";
    const std::string message(sample::SampleBootMessage.substr(0, sample::SampleBootMessage.find('\r')));
    const peers::BackgroundProgram qemu("qemu-system-i386 -drive file=A.img,if=floppy,format=raw,index=0 "
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
    const peers::BackgroundProgram xvfb("Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp", session.dir(), "xvfb");
    const std::string number = xvfbDisplayNumber(session / "xvfb.log", std::chrono::seconds(20));
    ASSERT_FALSE(number.empty()) << peers::readText(session / "xvfb.log");
    const std::string display = ":" + number;

    const peers::BackgroundProgram shell("env DISPLAY=" + display + " QT_QPA_PLATFORM=xcb DORVANE_HOLD_WRITE=. "
                                         "LD_PRELOAD=" DORVANE_HELD_WRITE_PATH " " DORVANE_SHELL_PATH,
                                         session.dir(), "shell");
    const std::string main = windowNamed("Dorvane Shell", display, session.dir());
    ASSERT_FALSE(main.empty()) << peers::readText(session / "shell.log");
    std::string pid = runCommand("DISPLAY=" + display + " xdotool getwindowpid " + main, session.dir()).output;
    while (!pid.empty() && (pid.back() == '\n' || pid.back() == ' ')) pid.pop_back();
    ASSERT_FALSE(pid.empty());

    keys(main, "alt+r Return", display, session.dir());
    const std::string dialog = windowNamed("Create Diskette", display, session.dir());
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
    ASSERT_FALSE(windowNamed("About", display, session.dir()).empty());
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
