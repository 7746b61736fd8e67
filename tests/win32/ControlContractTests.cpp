// What the native window of each control kind shows when the model changes,
// and what reaches the model when the user acts on it: one row per kind, read
// back through the windows themselves (GetWindowText, IsWindowVisible,
// WM_GETFONT, GetFocus ...).
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <map>
#include <ostream>
#include <string>

#include "platform/forms/Application.h"
#include "platform/win32/Win32Backend.h"
#include "platform/win32/WinApi.h"

namespace {

using namespace std::chrono_literals;

struct Row {
    const char* kind;
    std::function<forms::Control&(forms::Form&, forms::Control& holder)> make;
    bool showsText;    // the window's text is the control's
    bool showsFont;    // WM_GETFONT answers the model's font
    bool takesFocus;   // a stop of the keyboard order
    bool takesClicks;  // a click with the mouse reaches its handler
};

void PrintTo(const Row& row, std::ostream* out) { *out << row.kind; }

template <class T>
std::function<forms::Control&(forms::Form&, forms::Control&)> maker() {
    return [](forms::Form& form, forms::Control& holder) -> forms::Control& {
        return form.make<T>("Subject", &holder);
    };
}

const Row rows[] = {
    {"Label",
     [](forms::Form& form, forms::Control& holder) -> forms::Control& {
         auto& label = form.make<forms::Label>("Subject", &holder);
         label.autoSize = false;
         return label;
     },
     true, true, false, true},
    {"Edit", maker<forms::Edit>(), true, true, true, false},
    {"Memo", maker<forms::Memo>(), true, true, true, false},
    {"RichEdit", maker<forms::RichEdit>(), true, false, false, false},
    {"RadioButton", maker<forms::RadioButton>(), true, true, true, true},
    {"Panel", maker<forms::Panel>(), false, false, false, false},
    {"Bevel", maker<forms::Bevel>(), false, false, false, false},
    {"Image", maker<forms::Image>(), false, false, false, false},
    {"Button", maker<forms::Button>(), true, true, true, true},
    {"BitBtn", maker<forms::BitBtn>(), true, true, true, true},
    {"ProgressBar", maker<forms::ProgressBar>(), false, false, false, false},
    {"StatusBar", maker<forms::StatusBar>(), false, true, false, false},
};

// The control under test inside a panel, between two buttons in keyboard
// order, on a form with a default and a cancel button.
class ContractForm : public forms::Form {
public:
    ContractForm(forms::Application& app, const Row& row)
        : Form(app, "ContractForm"),
          before(make<forms::Button>("Before")),
          holder(make<forms::Panel>("Holder")),
          subject(row.make(*this, holder)),
          after(make<forms::Button>("After")),
          ok(make<forms::Button>("Ok")),
          cancel(make<forms::Button>("Cancel")) {
        setText("Contract");
        setClientSize(400, 300);
        holder.setBounds(0, 40, 300, 200);
        subject.setBounds(10, 20, 60, 30);
        forms::Control* order[] = {&before, &holder, &after, &ok, &cancel};
        for (int i = 0; i < 5; ++i) order[i]->tabOrder = i;
        before.setBounds(310, 10, 80, 25);
        after.setBounds(310, 40, 80, 25);
        ok.setBounds(310, 70, 80, 25);
        cancel.setBounds(310, 100, 80, 25);
        ok.isDefault = true;
        cancel.isCancel = true;
        for (forms::Control* c : std::initializer_list<forms::Control*>{&before, &subject, &after, &ok, &cancel})
            c->onClick = [this, c] { ++clicks[c->name()]; };
    }
    forms::Button& before;
    forms::Panel& holder;
    forms::Control& subject;
    forms::Button& after;
    forms::Button& ok;
    forms::Button& cancel;
    std::map<std::string, int> clicks;
};

class ControlContract : public ::testing::TestWithParam<Row> {
protected:
    win32::Win32Backend backend{win32::Win32BackendOptions{true}};
    forms::Application app{backend};
    ContractForm* form = nullptr;

    void SetUp() override {
        form = app.CreateForm<ContractForm>(GetParam());
        backend.run(*form);
        ASSERT_TRUE(pumpUntil([&] { return GetActiveWindow() == hwnd(*form); }));
    }
    void TearDown() override { backend.shutdown(); }

    HWND hwnd(const forms::Form& f) const { return backend.hwnd(f); }
    HWND hwnd(const forms::Control& c) const { return backend.hwnd(c); }
    forms::Control& subject() const { return form->subject; }

    bool pumpUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 5s) {
        const auto end = std::chrono::steady_clock::now() + timeout;
        for (;;) {
            backend.processPending();
            if (condition()) return true;
            if (std::chrono::steady_clock::now() >= end) return false;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        }
    }
    void settle() {
        backend.processPending();
        backend.processPending();
    }
    void pressKey(WPARAM key) {
        HWND target = GetFocus();
        ASSERT_NE(target, nullptr) << "no window has the focus";
        const UINT scan = MapVirtualKeyA(static_cast<UINT>(key), 0);
        PostMessageA(target, WM_KEYDOWN, key, static_cast<LPARAM>(1 | (scan << 16)));
        PostMessageA(target, WM_KEYUP, key, static_cast<LPARAM>(1 | (scan << 16) | (3u << 30)));
        settle();
    }
    void clickSubject() {
        RECT area{};
        GetClientRect(hwnd(subject()), &area);
        const LPARAM at = MAKELPARAM(area.right / 2, area.bottom / 2);
        PostMessageA(hwnd(subject()), WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageA(hwnd(subject()), WM_LBUTTONUP, 0, at);
        settle();
    }
    // The window's rectangle in its parent's client coordinates.
    RECT placed(const forms::Control& c) const {
        RECT r{};
        GetWindowRect(hwnd(c), &r);
        MapWindowPoints(nullptr, GetParent(hwnd(c)), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    std::string windowText(const forms::Control& c) const {
        char buffer[256] = {};
        GetWindowTextA(hwnd(c), buffer, sizeof buffer);
        return buffer;
    }
};

TEST_P(ControlContract, VisibleEnabledBoundsAndText) {
    HWND w = hwnd(subject());
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(IsWindowVisible(w));
    subject().setVisible(false);
    EXPECT_FALSE(IsWindowVisible(w));
    subject().setVisible(true);
    EXPECT_TRUE(IsWindowVisible(w));

    subject().setEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(w));
    subject().setEnabled(true);
    EXPECT_TRUE(IsWindowEnabled(w));

    subject().setBounds(12, 24, 90, 40);
    const RECT r = placed(subject());
    // A bevel is drawn as the etched line along its bottom edge.
    const int top = subject().kind() == forms::Kind::Bevel ? 24 + 40 - 2 : 24;
    EXPECT_EQ(r.left, 12);
    EXPECT_EQ(r.top, top);
    EXPECT_EQ(r.right, 12 + 90);
    EXPECT_EQ(r.bottom, 24 + 40);

    subject().setText("Caption \xC3\xA9");  // é, in the ANSI code page as 0xE9
    EXPECT_EQ(windowText(subject()), GetParam().showsText ? std::string("Caption \xE9") : std::string());
}

TEST_P(ControlContract, FontAndColour) {
    forms::Font font;
    font.name = "Times New Roman";
    font.height = 19;
    font.style = forms::fsBold;
    font.color = forms::Color::rgb(0x12, 0x34, 0x56);
    subject().setFont(font);
    const auto hfont = reinterpret_cast<HFONT>(SendMessageA(hwnd(subject()), WM_GETFONT, 0, 0));
    if (GetParam().showsFont) {
        LOGFONTA lf{};
        ASSERT_NE(hfont, nullptr);
        ASSERT_GT(GetObjectA(hfont, sizeof lf, &lf), 0);
        EXPECT_STREQ(lf.lfFaceName, "Times New Roman");
        EXPECT_EQ(lf.lfHeight, -19);
        EXPECT_EQ(lf.lfWeight, FW_BOLD);
    }
    if (subject().kind() == forms::Kind::RichEdit) {
        CHARFORMAT2A format{};
        format.cbSize = sizeof format;
        SendMessageA(hwnd(subject()), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
        EXPECT_STREQ(format.szFaceName, "Times New Roman");
        EXPECT_EQ(format.crTextColor, RGB(0x12, 0x34, 0x56));
    }
    // The colours the window is painted with, as its parent hands them out.
    if (GetParam().showsText && subject().kind() != forms::Kind::RichEdit) {
        HDC dc = CreateCompatibleDC(nullptr);
        const UINT ask = subject().kind() == forms::Kind::Edit || subject().kind() == forms::Kind::Memo
                             ? WM_CTLCOLOREDIT
                             : WM_CTLCOLORSTATIC;
        SendMessageA(GetParent(hwnd(subject())), ask, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(hwnd(subject())));
        EXPECT_EQ(GetTextColor(dc), RGB(0x12, 0x34, 0x56));
        DeleteDC(dc);
    }
}

TEST_P(ControlContract, ClicksReachTheHandlerOnlyWhileReachable) {
    const int taken = GetParam().takesClicks ? 1 : 0;
    clickSubject();
    EXPECT_EQ(form->clicks["Subject"], taken) << "reachable";
    subject().setEnabled(false);
    clickSubject();
    EXPECT_EQ(form->clicks["Subject"], taken) << "disabled";
    subject().setEnabled(true);
    form->holder.setEnabled(false);
    clickSubject();
    EXPECT_EQ(form->clicks["Subject"], taken) << "in a disabled panel";
    form->holder.setEnabled(true);
    // Beyond the panel's edge: the window exists, the user cannot reach it.
    subject().setBounds(300, 20, 60, 30);
    clickSubject();
    EXPECT_EQ(form->clicks["Subject"], taken) << "outside its panel";
}

TEST_P(ControlContract, TabFollowsTheKeyboardOrderAndEnterAndEscPressTheirButtons) {
    form->FocusControl(form->before);
    settle();
    ASSERT_EQ(GetFocus(), hwnd(form->before));
    pressKey(VK_TAB);
    const forms::Control& next = GetParam().takesFocus ? subject() : form->after;
    EXPECT_EQ(GetFocus(), hwnd(next));
    EXPECT_EQ(form->activeControl(), &next);

    pressKey(VK_RETURN);
    const bool button = next.kind() == forms::Kind::Button || next.kind() == forms::Kind::BitBtn;
    const bool typesNewLine = next.kind() == forms::Kind::Memo && !next.readOnly;
    EXPECT_EQ(form->clicks["Ok"], button || typesNewLine ? 0 : 1) << "Enter";
    EXPECT_EQ(form->clicks[next.name()], button ? 1 : 0) << "Enter on the focused button";

    pressKey(VK_ESCAPE);
    EXPECT_EQ(form->clicks["Cancel"], 1) << "Esc";

    pressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), hwnd(GetParam().takesFocus ? static_cast<forms::Control&>(form->after) : form->ok));
}

INSTANTIATE_TEST_SUITE_P(Win32, ControlContract, ::testing::ValuesIn(rows),
                         [](const auto& row) { return std::string(row.param.kind); });

// A form shown from hidden becomes the active window, and its active control
// has the keyboard focus; when that control cannot take it, the first one in
// keyboard order that can does.
class Popup : public forms::Form {
public:
    explicit Popup(forms::Application& app)
        : Form(app, "Popup"), first(make<forms::Button>("First")), second(make<forms::Button>("Second")) {
        setText("Popup");
        setClientSize(200, 100);
        setVisible(false);
        first.setBounds(10, 10, 80, 25);
        second.setBounds(100, 10, 80, 25);
        first.tabOrder = 0;
        second.tabOrder = 1;
    }
    forms::Button& first;
    forms::Button& second;
};

class Activation : public ControlContract {};

TEST_P(Activation, AFormShownFromHiddenIsActiveWithItsControlFocused) {
    auto* popup = app.CreateForm<Popup>();
    struct Case {
        const char* what;
        std::function<void()> before;
        forms::Control* focused;
    };
    const Case cases[] = {
        {"its active control", [&] { popup->FocusControl(popup->second); }, &popup->second},
        {"the active control hidden meanwhile",
         [&] {
             popup->FocusControl(popup->second);
             popup->second.setVisible(false);
         },
         &popup->first},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        popup->second.setVisible(true);
        c.before();
        popup->setVisible(true);
        EXPECT_TRUE(pumpUntil([&] { return GetActiveWindow() == hwnd(*popup); }));
        EXPECT_EQ(GetFocus(), hwnd(*c.focused));
        popup->setVisible(false);
        EXPECT_TRUE(pumpUntil([&] { return !IsWindowVisible(hwnd(*popup)); }));
        SetActiveWindow(hwnd(*form));
    }
}

INSTANTIATE_TEST_SUITE_P(Win32, Activation, ::testing::Values(rows[0]),
                         [](const auto&) { return std::string("Form"); });

}  // namespace
