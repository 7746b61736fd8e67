// The renderer contract on the native windows: the table reads back what
// each window shows (GetWindowText, WM_GETFONT, the colours its parent hands
// out, GetFocus, GetActiveWindow) and acts on it with the messages a user's
// mouse and keyboard produce.
#include <chrono>

#include "platform/win32/ControlView.h"
#include "platform/windows/Text.h"
#include "platform/win32/Win32Backend.h"
#include "platform/windows/WinApi.h"
#include "tests/contract/ControlContract.h"
#include "tests/win32/Keystrokes.h"

namespace {

using namespace contract;
using namespace std::chrono_literals;

Color toColor(COLORREF c) { return Color::rgb(GetRValue(c), GetGValue(c), GetBValue(c)); }

class Win32Probe : public Probe {
public:
    explicit Win32Probe(win32::Win32Backend& backend) : backend_(backend) {}

    MeasureText measure() const override {
        return [this](const Font& font, const std::string& text) { return backend_.measure(font, text); };
    }
    bool visible(const Control& c) override { return IsWindowVisible(w(c)) != FALSE; }
    bool enabled(const Control& c) override { return IsWindowEnabled(w(c)) != FALSE; }
    Rect bounds(const Control& c) override {
        RECT r{};
        GetWindowRect(w(c), &r);
        MapWindowPoints(nullptr, GetParent(w(c)), reinterpret_cast<POINT*>(&r), 2);
        // A bevel is drawn as the etched line along the bottom of its box.
        if (c.kind() == Kind::Bevel) r.top = r.bottom - c.height();
        return {r.left, r.top, r.right - r.left, r.bottom - r.top};
    }
    std::string text(const Control& c) override {
        char buffer[512] = {};
        GetWindowTextA(w(c), buffer, sizeof buffer);
        return win32::fromAnsi(buffer);
    }
    int fontPixels(const Control& c) override {
        if (c.kind() == Kind::RichEdit) return richFormat(c).yHeight * 96 / 1440;
        return -logFont(c).lfHeight;
    }
    bool bold(const Control& c) override {
        if (c.kind() == Kind::RichEdit) return (richFormat(c).dwEffects & CFE_BOLD) != 0;
        return logFont(c).lfWeight >= FW_BOLD;
    }
    Color textColour(const Control& c) override {
        if (c.kind() == Kind::RichEdit) return toColor(richFormat(c).crTextColor);
        return toColor(painted(c, false));
    }
    Color background(const Control& c) override { return toColor(painted(c, true)); }
    void click(Control& c) override {
        // Where a user's click lands: the innermost shown, enabled window
        // under the middle of the control.
        RECT r{};
        GetWindowRect(w(c), &r);
        POINT at{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        HWND target = backend_.hwnd(c.form());
        for (;;) {
            POINT inside = at;
            ScreenToClient(target, &inside);
            HWND child = ChildWindowFromPointEx(target, inside, CWP_SKIPINVISIBLE | CWP_SKIPDISABLED);
            if (!child || child == target) break;
            target = child;
        }
        ScreenToClient(target, &at);
        PostMessageA(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        PostMessageA(target, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
        settle();
    }
    void key(Control& on, Key key) override {
        const WPARAM vk = key == Key::Enter ? VK_RETURN : key == Key::Escape ? VK_ESCAPE : VK_TAB;
        wintest::postKeystroke(w(on), vk);
        settle();
    }
    const Control* focused(Form& f) override {
        settle();
        const win32::ControlView* view = win32::ControlView::of(GetFocus());
        return view && &view->control().form() == &f ? &view->control() : nullptr;
    }
    bool active(Form& f) override { return GetActiveWindow() == backend_.hwnd(f); }
    void closeBox(Form& f) override {
        PostMessageA(backend_.hwnd(f), WM_SYSCOMMAND, SC_CLOSE, 0);
        settle();
    }
    bool centred(Form& f) override {
        RECT r{};
        GetWindowRect(backend_.hwnd(f), &r);
        return r.left == (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2 &&
               r.top == (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2;
    }
    void drag(Form& f) override {
        RECT r{};
        GetWindowRect(backend_.hwnd(f), &r);
        SetWindowPos(backend_.hwnd(f), nullptr, r.left + 13, r.top + 7, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        settle();
    }

    void settle() {
        backend_.processPending();
        backend_.processPending();
    }

private:
    HWND w(const Control& c) const {
        if (c.kind() == Kind::Form) return backend_.hwnd(static_cast<const Form&>(c));
        return backend_.hwnd(c);
    }
    LOGFONTA logFont(const Control& c) const {
        LOGFONTA lf{};
        GetObjectA(reinterpret_cast<HFONT>(SendMessageA(w(c), WM_GETFONT, 0, 0)), sizeof lf, &lf);
        return lf;
    }
    CHARFORMAT2A richFormat(const Control& c) const {
        CHARFORMAT2A format{};
        format.cbSize = sizeof format;
        SendMessageA(w(c), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
        return format;
    }
    // The text or background colour the window is painted with, as its
    // parent hands it out.
    COLORREF painted(const Control& c, bool background) const {
        HDC dc = CreateCompatibleDC(nullptr);
        const bool box = c.kind() == Kind::Edit || c.kind() == Kind::Memo || c.kind() == Kind::RichEdit;
        SendMessageA(GetParent(w(c)), box ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(w(c)));
        const COLORREF color = background ? GetBkColor(dc) : GetTextColor(dc);
        DeleteDC(dc);
        return color;
    }
    win32::Win32Backend& backend_;
};

class Win32Contract : public ::testing::Test {
protected:
    win32::Win32Backend backend{win32::Win32BackendOptions{true, {}}};
    Application app{backend};
    Win32Probe probe{backend};
    KindForm* form = nullptr;

    void SetUp() override {
        form = app.CreateForm<KindForm>();
        app.Run();
        ASSERT_TRUE(waitFor([&] { return probe.active(*form); }));
    }

    bool waitFor(const std::function<bool()>& done) {
        const auto end = std::chrono::steady_clock::now() + 5s;
        for (;;) {
            probe.settle();
            if (done()) return true;
            if (std::chrono::steady_clock::now() >= end) return false;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        }
    }
};

TEST_F(Win32Contract, EveryKindShowsWhatTheModelSays) { checkKinds(*form, probe); }

TEST_F(Win32Contract, EnterAndEsc) { checkEnterAndEsc(*form, probe); }

TEST_F(Win32Contract, TabWalksTheModelsKeyboardOrder) { checkTab(*form, probe); }

TEST_F(Win32Contract, CloseBox) { checkCloseBox(*form, *app.CreateForm<KindForm>("Second"), probe); }

TEST_F(Win32Contract, WhereAFormAppears) { checkPlacement(*app.CreateForm<KindForm>("Second"), probe); }

TEST_F(Win32Contract, AFormShownFromHiddenIsActivatedWithAControlFocused) {
    KindForm& second = *app.CreateForm<KindForm>("Second", BorderStyle::Dialog);
    checkActivation(second, probe, [this](const std::function<bool()>& done) { return waitFor(done); });
}

TEST_F(Win32Contract, AFormFirstShownShowsWhatWasSetWhileItWasHidden) {
    KindForm& second = *app.CreateForm<KindForm>("Second", BorderStyle::Dialog);
    checkFirstShow(second, probe, [this](const std::function<bool()>& done) { return waitFor(done); });
}

}  // namespace
