// The main window as native windows: its menu bar and the commands reached
// through it (by WM_COMMAND and by the keyboard), the platform test's effect
// on the menu, the information topics, the launch layout, and how forms are
// opened and placed.
#include <algorithm>
#include <ostream>
#include <set>

#include "tests/win32/RenderedApp.h"

// <windows.h> comes after the project's headers.
#include "tests/win32/Keystrokes.h"

namespace {

using wintest::RenderedApp;

// ---- The platform test: Start Regeneration only on Windows 9x ----

struct PlatformCase {
    const char* what;
    bool realKernel;
    std::optional<sys::DWORD> fakePlatform;
    std::vector<std::string> regenerationMenu;
};

void PrintTo(const PlatformCase& c, std::ostream* out) { *out << c.what; }

class PlatformMenu : public RenderedApp, public ::testing::WithParamInterface<PlatformCase> {
protected:
    PlatformMenu() {
        useRealKernel = GetParam().realKernel;
        fakeKernel.platformId = GetParam().fakePlatform;
    }
};

TEST_P(PlatformMenu, RegenerationMenuAfterTheFirstTick) {
    ASSERT_TRUE(pumpUntil([] { return !Form1->Timer1.enabled(); })) << "the start-up timer never ticked";
    settle();
    EXPECT_EQ(menuCaptions("Regeneration"), GetParam().regenerationMenu);
    EXPECT_EQ(menuCaptions(), (std::vector<std::string>{"Regeneration", "Feedback", "About", "Exit"}));
}

const PlatformCase platformCases[] = {
    {"Windows98", false, VER_PLATFORM_WIN32_WINDOWS, {"Start Regeneration", "Create Diskette"}},
    {"WindowsNT", false, VER_PLATFORM_WIN32_NT, {"Create Diskette"}},
    {"VersionCallFails", false, std::nullopt, {"Create Diskette"}},
    // Wine's default answer, through the real GetVersionExA.
    {"ThisSystem", true, std::nullopt, {"Create Diskette"}},
};

INSTANTIATE_TEST_SUITE_P(Win32, PlatformMenu, ::testing::ValuesIn(platformCases),
                         [](const auto& instance) { return std::string(instance.param.what); });

// ---- Menu commands ----

struct MenuCase {
    const char* what;
    std::string top, item;
    std::function<bool()> opened;
};

std::vector<MenuCase> menuCases() {
    return {
        {"CreateDiskette", "Regeneration", "Create Diskette", [] { return Form2->visible(); }},
        {"Feedback", "Feedback", "", [] { return FeedbackForm->visible(); }},
        {"About", "About", "", [] { return About->visible(); }},
    };
}

class MainMenuCommands : public RenderedApp {};

TEST_F(MainMenuCommands, EachCommandOpensItsFormWindow) {
    for (const MenuCase& c : menuCases()) {
        SCOPED_TRACE(c.what);
        chooseMenu(c.top, c.item);
        ASSERT_TRUE(pumpUntil(c.opened));
    }
    EXPECT_TRUE(IsWindowVisible(window(*Form2)));
    EXPECT_TRUE(IsWindowVisible(window(*FeedbackForm)));
    EXPECT_TRUE(IsWindowVisible(window(*About)));
}

TEST_F(MainMenuCommands, TheMainCloseBoxEndsTheMessageLoopWhileOtherFormsAreOpen) {
    chooseMenu("About");
    ASSERT_TRUE(pumpUntil([] { return About->visible(); }));
    PostMessageA(window(*Form1), WM_CLOSE, 0, 0);
    EXPECT_TRUE(pumpUntil([&] { return backend.terminated(); }));
    // The windows stay until the loop has ended; the program then goes.
    EXPECT_TRUE(IsWindow(window(*Form1)));
}

// The keyboard reaches every command: F10 opens the menu bar, the arrows
// move, Enter chooses.
TEST_F(MainMenuCommands, TheKeyboardReachesEveryCommand) {
    ASSERT_TRUE(pumpUntil([] { return !Form1->Timer1.enabled(); }));
    struct KeyCase {
        const char* what;
        std::vector<WPARAM> keys;  // after F10
        std::function<bool()> done;
    };
    const KeyCase cases[] = {
        {"Create Diskette", {VK_RETURN, VK_RETURN}, [] { return Form2->visible(); }},
        {"Feedback", {VK_RIGHT, VK_RETURN}, [] { return FeedbackForm->visible(); }},
        {"About", {VK_RIGHT, VK_RIGHT, VK_RETURN}, [] { return About->visible(); }},
        {"Exit", {VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RETURN}, [&] { return backend.terminated(); }},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.what);
        chooseByKeyboard(
            [&](HWND main) {
                wintest::postSystemKeystroke(main, VK_F10, false);
                for (WPARAM key : c.keys) wintest::postKeystroke(main, key);
            },
            c.done);
    }
}

}  // namespace

namespace {

using wintest::RenderedApp;

// ---- The information topics ----

class Topics : public RenderedApp {
protected:
    struct Topic {
        const char* name;
        forms::Label& label;
        forms::RichEdit& box;
    };
    std::vector<Topic> topics() const {
        return {{"Benefits", Form1->BenefitsLabel, Form1->BenefitsRichEdit},
                {"HowWorks", Form1->HowWorksLabel, Form1->HowWorksRichEdit},
                {"Notes", Form1->NotesLabel, Form1->NotesRichEdit},
                {"Welcome", Form1->WelcomeLabel, Form1->WelcomeRichEdit}};
    }
};

TEST_F(Topics, AClickShowsOneTextGreysItsLabelAndTurnsItRedForGood) {
    const COLORREF red = RGB(255, 0, 0), blue = RGB(0, 0, 255);
    std::set<std::string> shownOnce{"Welcome"};
    std::string current = "Welcome";
    const char* clicks[] = {"", "Benefits", "HowWorks", "Welcome", "Notes", "Benefits"};
    for (const char* clicked : clicks) {
        SCOPED_TRACE(std::string("after a click on ") + clicked);
        for (const Topic& t : topics())
            if (t.name == std::string(clicked)) click(t.label);
        if (*clicked) {
            current = clicked;
            shownOnce.insert(clicked);
        }
        for (const Topic& t : topics()) {
            SCOPED_TRACE(t.name);
            EXPECT_EQ(shown(t.box), t.name == current);
            EXPECT_EQ(enabled(t.label), t.name != current);
            EXPECT_EQ(paintedTextColor(t.label), shownOnce.count(t.name) ? red : blue);
        }
    }
}

TEST_F(Topics, LabelsAreAsWideAsTheirCaptionsAndTheLinksShowAHand) {
    for (const Topic& t : topics()) {
        SCOPED_TRACE(t.name);
        RECT r{};
        GetWindowRect(window(t.label), &r);
        EXPECT_GT(r.right - r.left, 20);
        EXPECT_LT(r.right - r.left, 150);
        EXPECT_EQ(r.bottom - r.top, 13);  // one line of 8-point MS Sans Serif
    }
    // The cursor the label sets over its client area.
    HWND how = window(Form1->HowWorksLabel);
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    SendMessageA(how, WM_SETCURSOR, reinterpret_cast<WPARAM>(how), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_HAND));
}

// ---- The launch layout ----

class LaunchLayout : public RenderedApp {
protected:
    LaunchLayout() {
        fakeKernel.platformId = VER_PLATFORM_WIN32_WINDOWS;
        fakeKernel.files["dsck.tr"] = fakes::Bytes(1408 * 512, 0x5A);
    }
    bool onTop() const { return (GetWindowLongA(window(*Form1), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }
    int panelHeight() const { return clientSize(window(Form1->Panel1)).cy; }
};

TEST_F(LaunchLayout, StartRegenerationGrowsTheWindowOnTopAndTheLinkShrinksAndMinimizesIt) {
    ASSERT_TRUE(pumpUntil([] { return !Form1->Timer1.enabled(); }));
    HWND main = window(*Form1);
    EXPECT_EQ(clientSize(main).cx, 409);
    EXPECT_EQ(clientSize(main).cy, 183);
    EXPECT_EQ(panelHeight(), 161);
    EXPECT_FALSE(onTop());

    // The link lies below the panel's edge: a click there reaches nothing.
    click(Form1->Label2);
    EXPECT_FALSE(IsIconic(main));

    chooseMenu("Regeneration", "Start Regeneration");
    EXPECT_EQ(clientSize(main).cx, 409);
    EXPECT_EQ(clientSize(main).cy, 254);
    EXPECT_EQ(panelHeight(), 232);
    EXPECT_TRUE(onTop());
    EXPECT_TRUE(IsWindowVisible(window(Form1->StartRehenerationRichEdit)));
    EXPECT_TRUE(IsWindowVisible(window(Form1->Label2)));
    EXPECT_TRUE(std::any_of(fakeKernel.calls.begin(), fakeKernel.calls.end(), [](const fakes::Call& c) {
        return c.str().rfind("CreateProcessA(zelkor.pif", 0) == 0;
    }));

    // The status bar keeps to the bottom edge, its two panels unchanged.
    RECT bar{}, client{};
    GetWindowRect(window(Form1->StatusBar1), &bar);
    MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&bar), 2);
    GetClientRect(main, &client);
    EXPECT_EQ(bar.bottom, client.bottom);
    int edges[4] = {};
    EXPECT_EQ(SendMessageA(window(Form1->StatusBar1), SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)), 2);
    EXPECT_EQ(edges[0], 330);

    click(Form1->Label2);
    ASSERT_TRUE(pumpUntil([&] { return IsIconic(main) != FALSE; }));
    EXPECT_FALSE(onTop());
    EXPECT_FALSE(IsWindowVisible(window(Form1->StartRehenerationRichEdit)));
    EXPECT_EQ(Form1->windowState(), forms::WindowState::Minimized);

    // Restored by the user: the normal layout, with the Welcome text.
    SendMessageA(main, WM_SYSCOMMAND, SC_RESTORE, 0);
    ASSERT_TRUE(pumpUntil([&] { return !IsIconic(main); }));
    EXPECT_EQ(Form1->windowState(), forms::WindowState::Normal);
    EXPECT_EQ(clientSize(main).cy, 183);
    EXPECT_EQ(panelHeight(), 161);
    EXPECT_TRUE(shown(Form1->WelcomeRichEdit));
    EXPECT_FALSE(enabled(Form1->WelcomeLabel));
}

// ---- Opening and placing forms ----

class FormPlacement : public RenderedApp {};

TEST_F(FormPlacement, AFormIsCentredWhenFirstShownAndLeftWhereItIsWhenShownAgain) {
    chooseMenu("About");
    HWND about = window(*About);
    ASSERT_TRUE(pumpUntil([&] { return IsWindowVisible(about) != FALSE; }));
    RECT r{};
    GetWindowRect(about, &r);
    EXPECT_NEAR((r.left + r.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((r.top + r.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
    EXPECT_EQ(clientSize(about).cx, 290);
    EXPECT_EQ(clientSize(about).cy, 152);

    SetWindowPos(about, nullptr, 10, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    chooseMenu("About");
    GetWindowRect(about, &r);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 20);

    // Hidden and shown again: still where the user left it.
    pressKey(VK_RETURN);
    ASSERT_TRUE(pumpUntil([] { return !About->visible(); }));
    chooseMenu("About");
    GetWindowRect(about, &r);
    EXPECT_EQ(r.left, 10);
}

TEST_F(FormPlacement, TheAboutBoxOpensWithOkFocusedAndEnterHidesIt) {
    chooseMenu("About");
    ASSERT_TRUE(pumpUntil([&] { return GetFocus() == window(About->BitBtn1); }));
    EXPECT_EQ(GetWindowLongA(window(About->BitBtn1), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    pressKey(VK_RETURN);
    EXPECT_TRUE(pumpUntil([] { return !About->visible(); }));
    EXPECT_FALSE(IsWindowVisible(window(*About)));
}

TEST_F(FormPlacement, FrameStylesFollowEachFormsBorder) {
    // A form's window exists from its first show on.
    for (forms::Form* f : {static_cast<forms::Form*>(Form2), static_cast<forms::Form*>(About),
                           static_cast<forms::Form*>(FeedbackForm)})
        f->setVisible(true);
    struct Case {
        const char* form;
        HWND hwnd;
        DWORD mustHave, mustLack, exMustHave;
    };
    const Case cases[] = {
        {"Form1", window(*Form1), WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, WS_MAXIMIZEBOX | WS_THICKFRAME, 0},
        {"Form2", window(*Form2), WS_CAPTION | WS_SYSMENU | WS_POPUP, WS_MINIMIZEBOX | WS_THICKFRAME,
         WS_EX_DLGMODALFRAME},
        {"About", window(*About), WS_CAPTION | WS_SYSMENU | WS_POPUP, WS_MINIMIZEBOX | WS_THICKFRAME,
         WS_EX_DLGMODALFRAME},
        {"FeedbackForm", window(*FeedbackForm), WS_CAPTION | WS_THICKFRAME, WS_MINIMIZEBOX | WS_MAXIMIZEBOX,
         WS_EX_TOOLWINDOW | WS_EX_TOPMOST},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.form);
        const auto style = static_cast<DWORD>(GetWindowLongA(c.hwnd, GWL_STYLE));
        const auto ex = static_cast<DWORD>(GetWindowLongA(c.hwnd, GWL_EXSTYLE));
        EXPECT_EQ(style & c.mustHave, c.mustHave);
        EXPECT_EQ(style & c.mustLack, 0u);
        EXPECT_EQ(ex & c.exMustHave, c.exMustHave);
    }
    char name[64] = {};
    GetClassNameA(window(*Form2), name, sizeof name);
    EXPECT_STREQ(name, "TForm2");
}

}  // namespace
