// The real Linux program while a run holds its loop, under Xvfb with openbox:
// the window manager's close requests and pings, the signals that end a
// session, and a file-size limit. A run is held at its first raw write
// (DORVANE_HOLD_WRITE) and slowed to a floppy's pace (DORVANE_SLOW_DRIVE) by
// a library preloaded into the program, so that the test acts mid-run.
#include <gtest/gtest.h>

#include <regex>

#include "tests/e2e/Desktop.h"

namespace e2e {
namespace {

using peers::runCommand;

bool diskettePresent(const Session& session) {
    return std::regex_search(runCommand("mdir -i A.img ::", session.dir()).output, std::regex("ZELKOR +EXE +96256 "));
}

// The program with the preloaded library, on the desktop, its drive slowed
// or not; `before` is put in front of it in the shell (a ulimit), and its
// exit status goes to status.txt.
std::string shellCommand(const Desktop& desktop, bool slow, const std::string& before = "") {
    return "sh -c " + peers::shellQuoted(before + "env DISPLAY=" + desktop.display() +
                                         " QT_QPA_PLATFORM=xcb DORVANE_HOLD_WRITE=. " +
                                         (slow ? "DORVANE_SLOW_DRIVE=100000 " : "") +
                                         "LD_PRELOAD=" DORVANE_HELD_WRITE_PATH " " DORVANE_SHELL_PATH
                                         "; echo $? > status.txt");
}

// Starts a run from the keyboard and waits until its first raw write is held.
void startHeldRun(const Desktop& desktop, const Session& session) {
    // The program's start-up may take a while on a busy machine.
    ASSERT_TRUE(peers::waitUntil([&] { return desktop.shown("Dorvane Shell"); }, std::chrono::seconds(60)))
        << peers::readText(session / "shell.log");
    ASSERT_TRUE(desktop.becomesActive("Dorvane Shell")) << peers::readText(session / "shell.log");
    desktop.type("alt+r Return");
    ASSERT_TRUE(desktop.becomesActive("Create Diskette"));
    desktop.type("Return shift+Tab Return");
    ASSERT_TRUE(peers::waitUntil([&] { return fs::exists(session / "held"); }, std::chrono::seconds(30)));
}

void needPrograms() {
    for (const char* program : {"Xvfb", "openbox", "xdotool", "xprop", "mdir", "import"})
        ASSERT_TRUE(peers::programExists(program)) << program << " missing";
}

// A run slowed to a floppy's pace and asked to close midway by the window
// manager: Alt+F4 on the dialog, then on the main window. Openbox pings a
// window it was asked to close, marks one that does not answer "Not
// Responding" and offers to kill it, which would leave a half-made diskette.
// The program answers between every two transfers, closes nothing, and the
// result stays on screen for the user to answer.
TEST(HeldRun, AskedToCloseMidwayItAnswersAndKeepsItsResult) {
    needPrograms();
    Session session;
    const Desktop desktop(session);
    ASSERT_TRUE(peers::waitUntil([&] { return desktop.managed(); }, std::chrono::seconds(20)));
    const peers::BackgroundProgram shell(shellCommand(desktop, true), session.dir(), "shell");
    ASSERT_NO_FATAL_FAILURE(startHeldRun(desktop, session));
    const std::string main = desktop.windowId("Dorvane Shell"), dialog = desktop.windowId("Create Diskette");
    peers::writeFile(session / "go", peers::Bytes{});

    desktop.type("alt+F4");  // openbox closes the active window, the dialog
    desktop.x("xdotool windowactivate --sync " + main);
    desktop.type("alt+F4");
    bool marked = false;
    const auto finished = [&] {
        for (const std::string& w : {main, dialog})
            marked = marked ||
                     desktop.x("xprop -id " + w + " _NET_WM_VISIBLE_NAME").find("Not Responding") != std::string::npos;
        return diskettePresent(session);
    };
    ASSERT_TRUE(peers::waitUntil(finished, std::chrono::seconds(90)));
    EXPECT_FALSE(marked) << "openbox took the program for hung";

    // Nothing was closed: the result waits on screen, the main window too.
    ASSERT_TRUE(desktop.shown("Create Diskette"));
    EXPECT_TRUE(desktop.shown("Dorvane Shell"));
    desktop.x("xdotool windowactivate --sync " + dialog);
    ASSERT_TRUE(desktop.becomesActive("Create Diskette")) << desktop.activeTitle();
    desktop.type("Return");
    EXPECT_TRUE(desktop.hides("Create Diskette")) << "the result's OK had the focus";
    EXPECT_EQ(peers::readText(session / "shell.log").find("dorvane-shell:"), std::string::npos);
}

// The signals that end a session end the program as always (the shell
// reports 128 + the signal's number), but one that comes during a run waits
// for the run to finish the diskette, and one line says so. (SIGINT acts
// alike; a program started in the background, as here, has it ignored.)
TEST(HeldRun, ASignalDuringARunEndsTheProgramOnceTheDisketteIsMade) {
    needPrograms();
    const struct {
        const char* signal;
        int status;
        bool duringRun;
    } rows[] = {{"TERM", 143, true}, {"HUP", 129, true}, {"TERM", 143, false}};
    for (const auto& r : rows) {
        SCOPED_TRACE(std::string(r.signal) + (r.duringRun ? " during a run" : " outside a run"));
        Session session;
        const Desktop desktop(session);
        ASSERT_TRUE(peers::waitUntil([&] { return desktop.managed(); }, std::chrono::seconds(20)));
        const peers::BackgroundProgram shell(shellCommand(desktop, false), session.dir(), "shell");
        ASSERT_TRUE(peers::waitUntil([&] { return desktop.shown("Dorvane Shell"); }, std::chrono::seconds(60)));
        ASSERT_TRUE(desktop.becomesActive("Dorvane Shell"));
        const std::string pid = desktop.x("xdotool getwindowpid " + desktop.windowId("Dorvane Shell"));
        if (r.duringRun) {
            ASSERT_NO_FATAL_FAILURE(startHeldRun(desktop, session));
        }
        ASSERT_EQ(runCommand("kill -" + std::string(r.signal) + " " + pid, session.dir()).exitCode, 0);
        peers::writeFile(session / "go", peers::Bytes{});
        ASSERT_TRUE(peers::waitUntil([&] { return fs::exists(session / "status.txt"); }, std::chrono::seconds(60)));
        EXPECT_EQ(peers::readText(session / "status.txt"), std::to_string(r.status) + "\n");
        const std::string log = peers::readText(session / "shell.log");
        if (r.duringRun) {
            EXPECT_TRUE(diskettePresent(session));
            EXPECT_EQ(runCommand("fsck.fat -n A.img", session.dir()).exitCode, 0);
            EXPECT_NE(log.find("dorvane-shell: SIG" + std::string(r.signal) +
                               " came during Create Diskette: the run was finished first; ending now\n"),
                      std::string::npos)
                << log;
        } else {
            EXPECT_EQ(log.find("dorvane-shell:"), std::string::npos) << log;
        }
    }
}

// Under a file-size limit below the image's size, a write the limit refuses
// fails as any write does: "Disk Write Error!", the cause on standard error
// and in the window, which has grown to hold it, and the program goes on.
TEST(HeldRun, AFileSizeLimitEndsTheRunInTheWriteErrorWithItsCause) {
    needPrograms();
    Session session;
    const Desktop desktop(session);
    ASSERT_TRUE(peers::waitUntil([&] { return desktop.managed(); }, std::chrono::seconds(20)));
    const peers::BackgroundProgram shell(shellCommand(desktop, false, "ulimit -f 1000; "), session.dir(), "shell");
    ASSERT_NO_FATAL_FAILURE(startHeldRun(desktop, session));
    peers::writeFile(session / "go", peers::Bytes{});
    const std::string line =
        "dorvane-shell: Create Diskette failed: cannot write a:Dsck.tr on drive A: (A.img): refused by the file-size "
        "limit of this session: raise it (ulimit -f unlimited)\n";
    ASSERT_TRUE(peers::waitUntil([&] { return peers::readText(session / "shell.log").find(line) != std::string::npos; },
                                 std::chrono::seconds(60)))
        << peers::readText(session / "shell.log");
    const std::string dialog = desktop.windowId("Create Diskette");
    ASSERT_FALSE(dialog.empty());
    // 106 pixels for the states, and the cause below them.
    EXPECT_TRUE(peers::waitUntil(
        [&] { return desktop.x("xdotool getwindowgeometry " + dialog).find("Geometry: 288x174") != std::string::npos; },
        std::chrono::seconds(10)))
        << desktop.x("xdotool getwindowgeometry " + dialog);
    EXPECT_EQ(desktop.x("import -frame -window " + dialog + " " + DORVANE_SCREENSHOT_DIR +
                        "/framed-create-diskette-cause.png && echo ok"),
              "ok");
    EXPECT_FALSE(fs::exists(session / "status.txt")) << "the program ended";
    desktop.type("Return");  // Abort
    EXPECT_TRUE(desktop.hides("Create Diskette"));
}

}  // namespace
}  // namespace e2e
