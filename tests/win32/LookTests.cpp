// What a person sees on the main window under Wine, read from the screen
// and from the native controls: the panel's edge when the layout changes,
// the lines the rich edit boxes lay their texts out in and the face they
// draw them with, the status bar's panels and the menu's letters.
#include <functional>
#include <string>
#include <vector>

#include "tests/contract/TextLines.h"
#include "tests/win32/RenderedApp.h"
#include "tests/win32/ScreenCapture.h"

// <windows.h> comes after the project's headers.
#include "tests/win32/Keystrokes.h"

namespace {

using namespace std::chrono_literals;
using wintest::Picture;

// A key for an open menu, held in a property of its owner: posted once the
// menu shows its popup, by a timer that the menu's own loop runs. Posted
// earlier, it would reach the menu bar before the popup opens.
constexpr const char* KeyInMenu = "DorvaneKeyInMenu";
constexpr UINT_PTR KeyInMenuTimer = 0xD0;

void CALLBACK postKeyOnceTheMenuOpens(HWND owner, UINT, UINT_PTR id, DWORD) {
    HWND popup = FindWindowA("#32768", nullptr);
    if (!popup || !IsWindowVisible(popup)) return;
    KillTimer(owner, id);
    wintest::postKeystroke(owner, reinterpret_cast<WPARAM>(RemovePropA(owner, KeyInMenu)));
}

class MainWindowLook : public wintest::RenderedApp {
protected:
    MainWindowLook() {
        fakeKernel.platformId = VER_PLATFORM_WIN32_WINDOWS;
        fakeKernel.files["dsck.tr"] = fakes::Bytes(1408 * 512, 0x5A);
    }
    void SetUp() override {
        RenderedApp::SetUp();
        ASSERT_TRUE(pumpUntil([] { return !Form1->Timer1.enabled(); }));
    }

    // The main window once the screen stops changing.
    Picture steady() {
        HWND main = window(*Form1);
        SetForegroundWindow(main);
        settle();
        UpdateWindow(main);
        Picture last = wintest::captureWindow(main), now;
        pumpUntil([&] { return std::exchange(last, now = wintest::captureWindow(main)) == now; }, 3s);
        return now;
    }

    // A pixel of Panel1, in the panel's own coordinates.
    COLORREF panelPixel(const Picture& picture, int x, int y) const {
        RECT frame{}, panel{};
        GetWindowRect(window(*Form1), &frame);
        GetWindowRect(window(Form1->Panel1), &panel);
        return picture.at(panel.left - frame.left + x, panel.top - frame.top + y);
    }

    // Posts a key pressed with Alt held, as the keyboard sends it.
    void altKey(WPARAM key) {
        HWND main = window(*Form1);
        PostMessageA(main, WM_SYSKEYDOWN, VK_MENU, wintest::keyLParam(VK_MENU, false, true));
        wintest::postSystemKeystroke(main, key, true);
        PostMessageA(main, WM_KEYUP, VK_MENU, wintest::keyLParam(VK_MENU, true));
    }
};

// The panel grows from 161 to 232 pixels and back; no trace of the bottom
// edge may stay where it was, left and right of the instructions.
TEST_F(MainWindowLook, ThePanelsEdgeMovesWithItsHeight) {
    const Picture before = steady();
    const COLORREF face = panelPixel(before, 4, 100);
    ASSERT_NE(panelPixel(before, 4, 160), face) << "the bottom edge of the normal layout";

    chooseMenu("Regeneration", "Start Regeneration");
    ASSERT_EQ(clientSize(window(Form1->Panel1)).cy, 232);
    const Picture grown = steady();
    // Beside the instructions (8 to 385), between the side edges.
    for (int x : {1, 2, 3, 4, 5, 6, 7, 386, 387, 388, 389, 390, 391})
        for (int y = 159; y <= 161; ++y) EXPECT_EQ(panelPixel(grown, x, y), face) << "at " << x << "," << y;
    EXPECT_NE(panelPixel(grown, 4, 231), face) << "the edge is drawn where the panel ends now";

    // Back: minimized, then restored by the user.
    click(Form1->Label2);
    HWND main = window(*Form1);
    ASSERT_TRUE(pumpUntil([&] { return IsIconic(main) != FALSE; }));
    SendMessageA(main, WM_SYSCOMMAND, SC_RESTORE, 0);
    ASSERT_TRUE(pumpUntil([&] { return !IsIconic(main); }));
    const Picture back = steady();
    EXPECT_NE(panelPixel(back, 4, 160), face) << "the edge is back at 161 pixels";
    EXPECT_EQ(panelPixel(back, 4, 100), face);
}

// The line count as the rich edit itself laid the text out, at the fonts
// the forms name; "Times New Roman" must be drawn in a face with its
// metrics (the test prefix maps it to Liberation Serif).
TEST_F(MainWindowLook, EachTextTakesTheLinesItWasWrittenInAndTheFaceItAsksFor) {
    for (const contract::TextLines& r : contract::textLines(*Form1)) {
        SCOPED_TRACE(r.box.name());
        if (r.label)
            click(*r.label);
        else
            chooseMenu("Regeneration", "Start Regeneration");
        HWND box = window(r.box);
        ASSERT_TRUE(pumpUntil([&] { return IsWindowVisible(box) != FALSE; }));
        EXPECT_EQ(SendMessageA(box, EM_GETLINECOUNT, 0, 0), r.lines);

        // The face Windows picks for what the box asks.
        CHARFORMATA format{};
        format.cbSize = sizeof format;
        // The format at the start of the text, which the whole text shares.
        SendMessageA(box, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
        EXPECT_STREQ(format.szFaceName, "Times New Roman");
        LOGFONTA asked{};
        asked.lfHeight = -r.box.font().height;
        asked.lfCharSet = format.bCharSet;
        lstrcpynA(asked.lfFaceName, format.szFaceName, LF_FACESIZE);
        HFONT font = CreateFontIndirectA(&asked);
        HDC dc = GetDC(box);
        HGDIOBJ old = SelectObject(dc, font);
        std::vector<char> metrics(GetOutlineTextMetricsA(dc, 0, nullptr));
        ASSERT_FALSE(metrics.empty()) << "an outline face";
        auto* otm = reinterpret_cast<OUTLINETEXTMETRICA*>(metrics.data());
        GetOutlineTextMetricsA(dc, static_cast<UINT>(metrics.size()), otm);
        const std::string face = metrics.data() + reinterpret_cast<std::uintptr_t>(otm->otmpFaceName);
        SelectObject(dc, old);
        ReleaseDC(box, dc);
        DeleteObject(font);
        EXPECT_TRUE(face == "Times New Roman" || face == "Liberation Serif") << face;
    }

    // The twelfth line ends just above Label1 and Label2, which go on with it.
    HWND launch = window(Form1->StartRehenerationRichEdit);
    const auto lineTop = [&](WPARAM line) {
        POINTL at{};
        SendMessageA(launch, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&at),
                     SendMessageA(launch, EM_LINEINDEX, line, 0));
        return static_cast<int>(at.y);
    };
    const int bottom = lineTop(11) + (lineTop(11) - lineTop(10));
    RECT box{}, label{};
    GetWindowRect(launch, &box);
    GetWindowRect(window(Form1->Label1), &label);
    EXPECT_LE(box.top + bottom, label.top);
    EXPECT_GE(box.top + bottom, label.top - 4);
}

// One line on each side of the feedback form's panel, none fainter.
TEST_F(MainWindowLook, TheFeedbackPanelsBorderIsOneLineOnEachSide) {
    chooseMenu("Feedback");
    HWND form = window(*FeedbackForm), panel = window(FeedbackForm->Panel);
    ASSERT_TRUE(pumpUntil([&] { return IsWindowVisible(form) != FALSE; }));
    SetForegroundWindow(form);
    settle();
    UpdateWindow(form);
    const Picture picture = wintest::captureWindow(form);
    RECT frame{}, r{};
    GetWindowRect(form, &frame);
    GetWindowRect(panel, &r);
    OffsetRect(&r, -frame.left, -frame.top);
    const COLORREF line = GetSysColor(COLOR_BTNSHADOW);
    const int midX = (r.left + r.right) / 2, midY = (r.top + r.bottom) / 2;
    const struct {
        const char* side;
        POINT edge, inside;
    } sides[] = {{"top", {midX, r.top}, {midX, r.top + 1}},
                 {"bottom", {midX, r.bottom - 1}, {midX, r.bottom - 2}},
                 {"left", {r.left, midY}, {r.left + 1, midY}},
                 {"right", {r.right - 1, midY}, {r.right - 2, midY}}};
    for (const auto& s : sides) {
        EXPECT_EQ(picture.at(s.edge.x, s.edge.y), line) << s.side;
        EXPECT_NE(picture.at(s.inside.x, s.inside.y), line) << s.side << ": a single line";
    }
}

TEST_F(MainWindowLook, StatusBarPanelsAre330And50PixelsWide) {
    HWND bar = window(Form1->StatusBar1);
    int edges[4] = {};
    ASSERT_EQ(SendMessageA(bar, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)), 2);
    EXPECT_EQ(edges[0], 330);
    EXPECT_EQ(edges[1], 380) << "the second panel does not reach the window's edge";
    RECT second{};
    ASSERT_TRUE(SendMessageA(bar, SB_GETRECT, 1, reinterpret_cast<LPARAM>(&second)));
    EXPECT_EQ(second.right, 380);
}

TEST_F(MainWindowLook, MenuItemsUnderlineTheirLettersAndAltWithTheLetterChooses) {
    EXPECT_EQ(menuCaptions("", true), (std::vector<std::string>{"&Regeneration", "&Feedback", "&About", "&Exit"}));
    EXPECT_EQ(menuCaptions("Regeneration", true),
              (std::vector<std::string>{"&Start Regeneration", "&Create Diskette"}));

    const struct {
        const char* what;
        WPARAM withAlt;
        WPARAM inMenu;  // 0: the letter chooses a command on the bar
        std::function<bool()> done;
    } rows[] = {
        {"Alt+R, C", 'R', 'C', [] { return Form2->visible(); }},
        {"Alt+F", 'F', 0, [] { return FeedbackForm->visible(); }},
        {"Alt+A", 'A', 0, [] { return About->visible(); }},
        {"Alt+R, S", 'R', 'S', [] { return Form1->height() == TForm1::LaunchHeight; }},
        {"Alt+E", 'E', 0, [&] { return backend.terminated(); }},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        chooseByKeyboard(
            [&](HWND main) {
                if (r.inMenu) {
                    SetPropA(main, KeyInMenu, reinterpret_cast<HANDLE>(r.inMenu));
                    SetTimer(main, KeyInMenuTimer, 20, &postKeyOnceTheMenuOpens);
                }
                altKey(r.withAlt);
            },
            r.done);
        KillTimer(window(*Form1), KeyInMenuTimer);
    }
}

}  // namespace
