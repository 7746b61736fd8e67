// The real Linux program under Xvfb with a real window manager (openbox),
// driven from the keyboard only: each form opened from the main window must
// become the active window by itself (nobody here moves the focus), and the
// keys typed next must land in it.
#include <gtest/gtest.h>

#include "tests/e2e/Desktop.h"

namespace e2e {
namespace {

using peers::runCommand;

TEST(WindowManager, EachFormOpenedFromTheKeyboardIsActiveAndTakesTheKeys) {
    // A missing tool is a broken test machine, not a reason to pass.
    for (const char* program : {"Xvfb", "openbox", "xdotool", "xprop"})
        ASSERT_TRUE(peers::programExists(program)) << program << " missing";
    Session session;
    const Desktop desktop(session);
    ASSERT_TRUE(peers::waitUntil([&] { return desktop.managed(); }, std::chrono::seconds(20)))
        << peers::readText(session / "openbox.log");
    const peers::BackgroundProgram shell("env DISPLAY=" + desktop.display() + " QT_QPA_PLATFORM=xcb " +
                                             DORVANE_SHELL_PATH,
                                         session.dir(), "shell");
    ASSERT_TRUE(desktop.becomesActive("Dorvane Shell")) << peers::readText(session / "shell.log");

    const struct {
        const char* title;
        const char* open;   // from the main window's menu bar
        const char* close;  // typed into the form, must hide it
    } rows[] = {
        {"About", "alt+a", "Return"},
        {"Feedback Form", "alt+f", "Escape"},
        // Space on OK moves on to the confirmation, where Cancel has the
        // focus, and space on Cancel hides the dialog.
        {"Create Diskette", "alt+r Return", "space space"},
        // Opened again after Cancel, OK has the focus once more.
        {"Create Diskette", "alt+r Return", "space space"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.title);
        ASSERT_TRUE(desktop.becomesActive("Dorvane Shell")) << "back in the main window";
        desktop.type(r.open);
        ASSERT_TRUE(desktop.becomesActive(r.title)) << "active: " << desktop.activeTitle();
        desktop.type(r.close);
        EXPECT_TRUE(desktop.hides(r.title));
    }
}

// The renderer contract's keyboard and activation rows, on real X windows
// that openbox manages rather than offscreen.
TEST(WindowManager, TheQtContractsKeyboardAndActivationRowsHold) {
    for (const char* program : {"Xvfb", "openbox", "xprop"})
        ASSERT_TRUE(peers::programExists(program)) << program << " missing";
    Session session;
    const Desktop desktop(session);
    ASSERT_TRUE(peers::waitUntil([&] { return desktop.managed(); }, std::chrono::seconds(20)));
    const auto run = runCommand("DISPLAY=" + desktop.display() + " QT_QPA_PLATFORM=xcb timeout 120 " +
                                    DORVANE_QT_TESTS_PATH +
                                    " --gtest_filter='QtContract.AFormShown*:QtContract.EnterAndEsc:QtContract.Tab*'",
                                session.dir());
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("[  PASSED  ] 3 tests."), std::string::npos) << run.output;
}

}  // namespace
}  // namespace e2e
