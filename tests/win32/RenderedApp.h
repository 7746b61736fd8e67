// A freshly started shell on the Win32 renderer for every test: the four
// forms exist as native windows, the main window is showing, and the tests
// drive it with window messages through the backend's own message
// processing. The system services are the fakes, or the real kernel where a
// test asks for it.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>

#include "app/AboutForm.h"
#include "app/MainForm.h"
#include "app/Startup.h"
#include "feedback/FeedbackForm.h"
#include "media/CreateDisketteForm.h"
#include "tests/fakes/AppFixture.h"
#include "tests/fakes/FakeKernel.h"
#include "tests/fakes/FakeShell.h"
#include "tests/win32/MessageBoxWatchdog.h"
#include "platform/win32/Win32Backend.h"
#include "platform/windows/Win32Kernel.h"
#include "platform/windows/WinApi.h"

namespace wintest {

using namespace std::chrono_literals;

class RenderedApp : public ::testing::Test {
protected:
    RenderedApp() : RenderedApp(win32::Win32BackendOptions{true, {}}) {}
    // A renderer with other options (its fallbacks forced); run() must return.
    explicit RenderedApp(win32::Win32BackendOptions options) : backend(options) {}

    fakes::FakeKernel fakeKernel;
    win32::Win32Kernel realKernel;
    fakes::FakeShell shell;
    fakes::FakeLocale locale;
    std::optional<sys::Services> services;
    win32::Win32Backend backend;
    forms::Application app{backend};
    MessageBoxWatchdog boxWatchdog;

    // Which services the forms get; set before SetUp runs.
    bool useRealKernel = false;
    sys::Kernel* kernelOverride = nullptr;
    sys::Shell* shellOverride = nullptr;

    void SetUp() override;
    void TearDown() override;

    // Processes messages until `condition` holds, at most `timeout`.
    bool pumpUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 5s);
    // Processes what is queued now, and what that caused.
    void settle();

    HWND window(const forms::Form& form) const { return backend.hwnd(form); }
    HWND window(const forms::Control& control) const { return backend.hwnd(control); }

    // A menu command chosen the way the menu itself reports it: WM_COMMAND
    // with the id that the item carries in the window's menu bar.
    void chooseMenu(const std::string& topCaption, const std::string& itemCaption = "");
    // The same command only posted, as if chosen while the thread is busy.
    void postMenu(const std::string& topCaption, const std::string& itemCaption = "");
    // The captions of a menu of the main window's bar ("" for the bar), as
    // read or with the marks of their underlined letters.
    std::vector<std::string> menuCaptions(const std::string& topCaption = "", bool marked = false) const;

    // A command chosen from the keyboard on the main window: made the active
    // window, it gets the keys that `press` posts to it, and then `done` must
    // hold with no menu left open.
    void chooseByKeyboard(const std::function<void(HWND main)>& press, const std::function<bool()>& done);
    // Presses a key the way the keyboard does: a posted WM_KEYDOWN/WM_KEYUP
    // pair to the window that has the focus (or `target`).
    void pressKey(WPARAM key, HWND target = nullptr);
    void click(const forms::Control& control);
    // A native control's own visibility flag (its parent may be hidden).
    bool shown(const forms::Control& control) const;
    bool enabled(const forms::Control& control) const;
    // The text colour the renderer gives a control when it is painted.
    COLORREF paintedTextColor(const forms::Control& control) const;
    std::string text(const forms::Control& control) const;
    SIZE clientSize(HWND hwnd) const;
};

}  // namespace wintest
