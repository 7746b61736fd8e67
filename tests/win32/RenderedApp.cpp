#include "tests/win32/RenderedApp.h"

#include "tests/win32/Keystrokes.h"
#include "tests/win32/ModalWatchdog.h"

namespace wintest {

namespace {

// An item's text as the menu holds it, '&' marks included.
std::string markedString(HMENU menu, UINT position) {
    char caption[128] = {};
    GetMenuStringA(menu, position, caption, sizeof caption, MF_BYPOSITION);
    return caption;
}

// The caption a person reads: without the mark of the underlined letter.
std::string menuString(HMENU menu, UINT position) {
    const std::string marked = markedString(menu, position);
    std::string caption;
    for (std::size_t i = 0; i < marked.size(); ++i) {
        if (marked[i] == '&' && i + 1 < marked.size()) ++i;
        caption += marked[i];
    }
    return caption;
}

HMENU findSubMenu(HMENU bar, const std::string& caption) {
    for (int i = 0; i < GetMenuItemCount(bar); ++i)
        if (menuString(bar, static_cast<UINT>(i)) == caption) return GetSubMenu(bar, i);
    return nullptr;
}

}  // namespace

void RenderedApp::SetUp() {
    fakes::AppFixture::ResetGlobals();
    sys::Kernel& kernel = kernelOverride ? *kernelOverride : useRealKernel ? static_cast<sys::Kernel&>(realKernel)
                                                                            : static_cast<sys::Kernel&>(fakeKernel);
    services.emplace(sys::Services{kernel, shellOverride ? *shellOverride : shell, locale});
    ASSERT_EQ(DorvaneMain(app, *services), 0);
    ASSERT_NE(Form1, nullptr);
    ASSERT_TRUE(pumpUntil([&] { return IsWindowVisible(window(*Form1)) != FALSE; }));
}

void RenderedApp::TearDown() {
    backend.shutdown();
    settle();
    fakes::AppFixture::ResetGlobals();
}

bool RenderedApp::pumpUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        backend.processPending();
        if (condition()) return true;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min<long long>(left.count(), 50)),
                                  QS_ALLINPUT);
    }
}

void RenderedApp::settle() {
    backend.processPending();
    backend.processPending();
}

void RenderedApp::chooseMenu(const std::string& topCaption, const std::string& itemCaption) {
    postMenu(topCaption, itemCaption);
    settle();
}

void RenderedApp::postMenu(const std::string& topCaption, const std::string& itemCaption) {
    HMENU bar = GetMenu(window(*Form1));
    ASSERT_NE(bar, nullptr);
    UINT id = 0;
    if (itemCaption.empty()) {
        for (int i = 0; i < GetMenuItemCount(bar); ++i)
            if (menuString(bar, static_cast<UINT>(i)) == topCaption) id = GetMenuItemID(bar, i);
    } else {
        HMENU sub = findSubMenu(bar, topCaption);
        ASSERT_NE(sub, nullptr) << topCaption;
        for (int i = 0; i < GetMenuItemCount(sub); ++i)
            if (menuString(sub, static_cast<UINT>(i)) == itemCaption) id = GetMenuItemID(sub, i);
    }
    ASSERT_NE(id, 0u) << topCaption << " > " << itemCaption << " is not in the menu";
    PostMessageA(window(*Form1), WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

std::vector<std::string> RenderedApp::menuCaptions(const std::string& topCaption, bool marked) const {
    HMENU menu = GetMenu(window(*Form1));
    if (!topCaption.empty()) menu = findSubMenu(menu, topCaption);
    std::vector<std::string> captions;
    for (int i = 0; menu && i < GetMenuItemCount(menu); ++i)
        captions.push_back(marked ? markedString(menu, static_cast<UINT>(i)) : menuString(menu, static_cast<UINT>(i)));
    return captions;
}

void RenderedApp::chooseByKeyboard(const std::function<void(HWND)>& press, const std::function<bool()>& done) {
    HWND main = window(*Form1);
    ModalWatchdog watchdog(main, 10s);
    SetForegroundWindow(main);
    SetActiveWindow(main);
    press(main);
    EXPECT_TRUE(pumpUntil(done));
    EXPECT_FALSE(watchdog.fired()) << "the menu stayed open";
}

void RenderedApp::pressKey(WPARAM key, HWND target) {
    if (!target) target = GetFocus();
    ASSERT_NE(target, nullptr) << "no window has the focus";
    postKeystroke(target, key);
    settle();
}

void RenderedApp::click(const forms::Control& control) {
    HWND hwnd = window(control);
    ASSERT_NE(hwnd, nullptr) << control.name();
    RECT area{};
    GetClientRect(hwnd, &area);
    const LPARAM at = MAKELPARAM(area.right / 2, area.bottom / 2);
    PostMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(hwnd, WM_LBUTTONUP, 0, at);
    settle();
}

bool RenderedApp::shown(const forms::Control& control) const {
    return (GetWindowLongA(window(control), GWL_STYLE) & WS_VISIBLE) != 0;
}

bool RenderedApp::enabled(const forms::Control& control) const { return IsWindowEnabled(window(control)) != FALSE; }

COLORREF RenderedApp::paintedTextColor(const forms::Control& control) const {
    HWND hwnd = window(control);
    HDC dc = CreateCompatibleDC(nullptr);
    SetTextColor(dc, RGB(1, 2, 3));
    SendMessageA(GetParent(hwnd), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd));
    const COLORREF color = GetTextColor(dc);
    DeleteDC(dc);
    return color;
}

std::string RenderedApp::text(const forms::Control& control) const {
    char buffer[4096] = {};
    GetWindowTextA(window(control), buffer, sizeof buffer);
    return buffer;
}

SIZE RenderedApp::clientSize(HWND hwnd) const {
    RECT r{};
    GetClientRect(hwnd, &r);
    return {r.right, r.bottom};
}

}  // namespace wintest
