// The calls of later Windows versions that the renderer looks up at run
// time, and their fallbacks: each case runs the same checks once with the
// newer calls (Wine has them all) and once with every fallback forced, as
// on Windows 95.
#include <string>

#include "tests/win32/RenderedApp.h"
// After the project's headers, as every file that includes <windows.h>.
#include "platform/win32/Compat.h"

namespace {

using wintest::RenderedApp;

win32::Win32BackendOptions optionsFor(bool forced) {
    return win32::Win32BackendOptions{true, win32::Fallbacks{forced, forced, forced, forced}};
}

class LaterCalls : public RenderedApp, public ::testing::WithParamInterface<bool> {
protected:
    LaterCalls() : RenderedApp(optionsFor(GetParam())) {}
    bool forced() const { return GetParam(); }

    std::string className(const forms::Control& control) const {
        char name[64] = {};
        GetClassNameA(window(control), name, sizeof name);
        return name;
    }
};

TEST_P(LaterCalls, TheNewerCallOrItsFallbackIsInUse) {
    const win32::Compat& compat = backend.compat();
    EXPECT_EQ(compat.usesTrackMouseEvent(), !forced());
    EXPECT_EQ(compat.usesInitCommonControlsEx(), !forced());
    EXPECT_EQ(compat.usesRichEdit20(), !forced());
    EXPECT_EQ(compat.usesProgressRange32(), !forced());
}

// Rich edit 1.0 shows the topics as 2.0 does: their text, font and colour.
TEST_P(LaterCalls, TopicsShowTheirTextInEitherRichEdit) {
    for (forms::RichEdit* box : {&Form1->WelcomeRichEdit, &Form1->BenefitsRichEdit}) {
        // The renderer's own class is the system class's superclass, named after it.
        EXPECT_EQ(className(*box), forced() ? "DorvaneRICHEDIT" : "DorvaneRichEdit20A") << box->name();
        EXPECT_FALSE(text(*box).empty()) << box->name();
        CHARFORMATA format{};
        format.cbSize = sizeof format;
        SendMessageA(window(*box), EM_SETSEL, 0, 0);
        SendMessageA(window(*box), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
        EXPECT_EQ(std::string(format.szFaceName), box->font().name) << box->name();
    }
}

// The diskette's scale, 0 to 2,384, whether set in 32 or in 16 bits.
TEST_P(LaterCalls, ProgressBarTakesTheDiskettesScale) {
    Form2->setVisible(true);  // its windows are built when it is first shown
    forms::ProgressBar& bar = Form2->ProgressBar1;
    EXPECT_EQ(SendMessageA(window(bar), PBM_GETRANGE, TRUE, 0), 0);
    EXPECT_EQ(SendMessageA(window(bar), PBM_GETRANGE, FALSE, 0), 2384);
    for (int position : {1300, 2384}) {
        bar.setPosition(position);
        EXPECT_EQ(SendMessageA(window(bar), PBM_GETPOS, 0, 0), position);
    }
}

INSTANTIATE_TEST_SUITE_P(Windows, LaterCalls, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& param) {
                             return param.param ? std::string("Windows95Fallbacks") : std::string("NewerCalls");
                         });

class CursorWatch : public RenderedApp {
protected:
    CursorWatch() : RenderedApp(win32::Win32BackendOptions{true, win32::Fallbacks{true, false, false, false}}) {}

    bool underlined(const forms::Label& label) const {
        LOGFONTA font{};
        GetObjectA(reinterpret_cast<HFONT>(SendMessageA(window(label), WM_GETFONT, 0, 0)), sizeof font, &font);
        return font.lfUnderline != 0;
    }
};

// Without TrackMouseEvent alone: the support address underlines when the
// mouse enters and loses it once the cursor is elsewhere, with no
// WM_MOUSELEAVE but the one the cursor watch posts.
// A timer of the test's own; a plain function, as the system calls it.
bool timerFired = false;
void CALLBACK markTimerFired(HWND, UINT, UINT_PTR, DWORD) { timerFired = true; }

TEST_F(CursorWatch, TheLinkNoticesTheMouseLeaving) {
    EXPECT_FALSE(backend.compat().usesTrackMouseEvent());
    EXPECT_TRUE(backend.compat().usesRichEdit20());
    chooseMenu("Feedback");
    ASSERT_TRUE(pumpUntil([&] { return IsWindowVisible(window(*FeedbackForm)) != FALSE; }));
    // The form shown from hidden becomes the active window; until then the
    // window system may still be placing it, and the link is not yet where
    // the cursor is put.
    ASSERT_TRUE(pumpUntil([&] { return GetForegroundWindow() == window(*FeedbackForm); }));
    const forms::Label& link = FeedbackForm->Label_ContactUs;
    RECT area{};
    GetWindowRect(window(link), &area);
    const auto cursorOver = [&](bool overLink) {
        POINT at{};
        return GetCursorPos(&at) && (WindowFromPoint(at) == window(link)) == overLink;
    };

    // Over the link: underlined, and still so after several periods of the
    // watch (a timer of the test's own, three and a half periods long).
    SetCursorPos((area.left + area.right) / 2, (area.top + area.bottom) / 2);
    ASSERT_TRUE(pumpUntil([&] { return cursorOver(true); }));
    PostMessageA(window(link), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    ASSERT_TRUE(pumpUntil([&] { return underlined(link); }));
    timerFired = false;
    const UINT_PTR timer = SetTimer(nullptr, 0, 350, markTimerFired);
    ASSERT_TRUE(pumpUntil([&] { return timerFired; }));
    KillTimer(nullptr, timer);
    EXPECT_TRUE(underlined(link));

    // Elsewhere: the underline goes.
    SetCursorPos(area.right + 300, area.bottom + 300);
    ASSERT_TRUE(pumpUntil([&] { return cursorOver(false); }));
    EXPECT_TRUE(pumpUntil([&] { return !underlined(link); }));
}

}  // namespace
