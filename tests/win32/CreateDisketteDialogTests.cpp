// The Create Diskette dialog as native windows: which controls are shown in
// each of its five states, where the focus is, and the progress bar, all
// read back from the windows while real messages drive the dialog.
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "tests/win32/KernelWithMoment.h"
#include "tests/win32/RenderedApp.h"

namespace {

using wintest::RenderedApp;

struct StateView {
    std::set<std::string> shown;  // controls whose own visibility flag is set
    std::string focus;            // the control that has the focus, if any
};

class DiskDialog : public RenderedApp {
protected:
    wintest::KernelWithMoment kernel;

    DiskDialog() {
        kernelOverride = &kernel;
        kernel.files["dsck.tr"] = fakes::Bytes(1408 * 512, 0x33);
    }

    std::vector<forms::Control*> controls() const { return Form2->controls(); }

    StateView view() const {
        StateView v;
        for (forms::Control* c : controls()) {
            if (shown(*c)) v.shown.insert(c->name());
            if (GetFocus() == window(*c)) v.focus = c->name();
        }
        return v;
    }

    void press(const forms::Control& button) {
        SendMessageA(window(button), BM_CLICK, 0, 0);
        settle();
    }

    void open() {
        chooseMenu("Regeneration", "Create Diskette");
        ASSERT_TRUE(pumpUntil([&] { return IsWindowVisible(window(*Form2)) && !view().focus.empty(); }));
    }
};

const std::map<std::string, StateView> Expected = {
    {"information", {{"CannotBeDirectlyStartedMemo", "FirstInformationButton"}, "FirstInformationButton"}},
    {"confirmation",
     {{"CancelCreateDisketteButton", "ContinueCreateDisketteButton", "DataWillBeDestroyedLabel", "InsertDisketteLabel"},
      "CancelCreateDisketteButton"}},
    {"writing", {{"PleaseWaitMemo", "ProgressBar1"}, ""}},
    {"write error", {{"WriteErrorButton", "WriteErrorMemo"}, "WriteErrorButton"}},
    {"created", {{"DisketteCreatedButton", "DisketteCreatedMemo"}, "DisketteCreatedButton"}},
};

void expectState(const StateView& actual, const std::string& state, bool checkFocus = true) {
    SCOPED_TRACE(state);
    const StateView& want = Expected.at(state);
    EXPECT_EQ(actual.shown, want.shown);
    if (checkFocus) {
        EXPECT_EQ(actual.focus, want.focus);
    }
}

TEST_F(DiskDialog, ASuccessfulRunGoesThroughFourStatesAndOkResetsTheHiddenDialog) {
    open();
    expectState(view(), "information");

    press(Form2->FirstInformationButton);
    expectState(view(), "confirmation");

    StateView during;
    int positionDuring = -1;
    kernel.moment = [&] {
        during = view();
        positionDuring = static_cast<int>(SendMessageA(window(Form2->ProgressBar1), PBM_GETPOS, 0, 0));
    };
    press(Form2->ContinueCreateDisketteButton);
    // The focus stays on the hidden Continue button while the run goes on.
    expectState(during, "writing", false);
    EXPECT_EQ(positionDuring, 0);
    expectState(view(), "created");
    EXPECT_EQ(SendMessageA(window(Form2->ProgressBar1), PBM_GETPOS, 0, 0), 2384);
    EXPECT_EQ(SendMessageA(window(Form2->ProgressBar1), PBM_GETRANGE, FALSE, 0), 2384);

    press(Form2->DisketteCreatedButton);
    EXPECT_FALSE(IsWindowVisible(window(*Form2)));
    expectState(view(), "information", false);
}

TEST_F(DiskDialog, AFailedRunShowsTheWriteErrorAndAbortResets) {
    kernel.writeProtected = true;
    open();
    press(Form2->FirstInformationButton);
    press(Form2->ContinueCreateDisketteButton);
    expectState(view(), "write error");
    EXPECT_EQ(text(Form2->WriteErrorMemo), "Disk Write Error!");

    // The keyboard works as the mouse: Enter presses the focused Abort.
    pressKey(VK_RETURN);
    EXPECT_FALSE(IsWindowVisible(window(*Form2)));
    expectState(view(), "information", false);
}

TEST_F(DiskDialog, NothingTheUserDoesIsProcessedUntilTheRunIsOver) {
    open();
    press(Form2->FirstInformationButton);
    bool aboutOpenedDuringTheRun = false;
    kernel.moment = [&] {
        // The user chooses About while the diskette is being written ...
        postMenu("About");
        kernel.atWrite = 8;
        kernel.moment = [&] { aboutOpenedDuringTheRun = About->visible(); };
    };
    press(Form2->ContinueCreateDisketteButton);
    EXPECT_FALSE(aboutOpenedDuringTheRun);
    // ... and gets it once the handler has returned to the message loop.
    EXPECT_TRUE(pumpUntil([] { return About->visible(); }));
    expectState(view(), "created", false);
}

// Real keyboard input (SendInput, through the system's input queue) typed
// while the run holds the loop must not press the result's focused button,
// and close requests posted meanwhile (as Wine posts a window manager's
// close) must close neither the dialog nor the main window.
TEST_F(DiskDialog, KeysAndCloseRequestsDuringTheRunDoNotAnswerTheResult) {
    const auto type = [](std::initializer_list<WORD> keys) {
        std::vector<INPUT> inputs;
        for (WORD key : keys)
            for (DWORD flags : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
                INPUT in{};
                in.type = INPUT_KEYBOARD;
                in.ki.wVk = key;
                in.ki.dwFlags = flags;
                inputs.push_back(in);
            }
        return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    };
    open();
    press(Form2->FirstInformationButton);
    SetForegroundWindow(window(*Form2));
    UINT sent = 0;
    kernel.moment = [&] {
        sent = type({VK_RETURN, VK_SPACE, VK_RETURN});
        for (HWND w : {window(*Form2), window(*Form1)}) {
            PostMessageA(w, WM_SYSCOMMAND, SC_CLOSE, 0);
            PostMessageA(w, WM_CLOSE, 0, 0);
        }
    };
    press(Form2->ContinueCreateDisketteButton);
    ASSERT_EQ(sent, 6u);
    settle();
    expectState(view(), "created");
    EXPECT_TRUE(IsWindowVisible(window(*Form2)));
    EXPECT_TRUE(IsWindowVisible(window(*Form1)));
    EXPECT_FALSE(app.terminated());

    // Typed after the result is shown, Enter presses its OK as before.
    ASSERT_EQ(type({VK_RETURN}), 2u);
    EXPECT_TRUE(pumpUntil([&] { return !IsWindowVisible(window(*Form2)); }));
}

TEST_F(DiskDialog, TabMovesThroughTheShownButtonsInTheirOrder) {
    open();
    press(Form2->FirstInformationButton);
    ASSERT_EQ(view().focus, "CancelCreateDisketteButton");
    // Continue and Cancel are the only stops shown (the memos are hidden);
    // Continue comes first in the order, so Tab wraps round to it.
    pressKey(VK_TAB);
    EXPECT_EQ(view().focus, "ContinueCreateDisketteButton");
    pressKey(VK_TAB);
    EXPECT_EQ(view().focus, "CancelCreateDisketteButton");
    // The focused push button is the one drawn as the default.
    EXPECT_EQ(GetWindowLongA(window(Form2->CancelCreateDisketteButton), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_EQ(GetWindowLongA(window(Form2->ContinueCreateDisketteButton), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
}

}  // namespace
