// An exception that escapes an event handler is shown in the standard
// exception message box (the framework's own exception with its message,
// any other with an empty one), and the program goes on.
#include <atomic>
#include <stdexcept>
#include <string>
#include <thread>

#include "tests/fakes/FakeShell.h"
#include "tests/win32/MessageBoxWatchdog.h"
#include "tests/win32/Processes.h"
#include "tests/win32/RenderedApp.h"

namespace {

using wintest::RenderedApp;
using namespace std::chrono_literals;

class ThrowingShell : public fakes::FakeShell {
public:
    std::function<void()> fail;
    std::intptr_t ShellExecuteA(const char*, const char*, const char*, const char*, int) override {
        fail();
        return 42;
    }
};

struct SeenBox {
    bool found = false;
    std::string caption;
    std::string text;
    bool errorIcon = false;
};

BOOL CALLBACK findErrorIcon(HWND child, LPARAM seen) {
    const HICON error = LoadIconA(nullptr, IDI_ERROR);
    if (reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0)) == error)
        reinterpret_cast<SeenBox*>(seen)->errorIcon = true;
    return TRUE;
}

// From a second thread: waits (bounded) for a message box of `thread`,
// reads it and presses its OK button.
SeenBox answerBox(DWORD thread) {
    SeenBox seen;
    HWND box = nullptr;
    wintest::waitUntil([&] { return (box = wintest::visibleMessageBox(thread)) != nullptr; }, 10s);
    if (!box) return seen;
    seen.found = true;
    seen.caption = wintest::boxCaption(box);
    seen.text = wintest::boxMessage(box);
    EnumChildWindows(box, findErrorIcon, reinterpret_cast<LPARAM>(&seen));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    return seen;
}

class ExceptionBox : public RenderedApp {
protected:
    ThrowingShell throwing;
    wintest::ExpectedMessageBox expectedBoxes;
    ExceptionBox() { shellOverride = &throwing; }
};

TEST_F(ExceptionBox, AHandlersExceptionIsShownAndTheProgramGoesOn) {
    struct Case {
        const char* what;
        std::function<void()> fail;
        std::string shownText;
    };
    const Case cases[] = {
        {"the framework's exception", [] { throw forms::Exception("The web site could not be opened."); },
         "The web site could not be opened."},
        {"any other exception", [] { throw std::runtime_error("not for the user's eyes"); }, ""},
    };
    chooseMenu("About");
    ASSERT_TRUE(pumpUntil([] { return About->visible(); }));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        throwing.fail = c.fail;
        SeenBox seen;
        const DWORD thisThread = GetCurrentThreadId();
        std::thread answer([&] { seen = answerBox(thisThread); });
        // The box runs its own loop inside the click's handling.
        click(About->Label4);
        answer.join();
        ASSERT_TRUE(seen.found) << "no message box appeared";
        EXPECT_EQ(seen.caption, "Dorvane Shell");
        EXPECT_EQ(seen.text, c.shownText);
        EXPECT_TRUE(seen.errorIcon);
        EXPECT_TRUE(IsWindowVisible(window(*About)));
        EXPECT_FALSE(backend.terminated());
    }
}

}  // namespace
