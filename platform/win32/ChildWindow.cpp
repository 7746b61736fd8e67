#include "platform/win32/ChildWindow.h"

#include <string>
#include <vector>

#include "platform/win32/FormWindow.h"
#include "platform/win32/NativeStyle.h"
#include "platform/win32/PictureBitmap.h"
#include "platform/win32/RichText.h"
#include "platform/win32/Text.h"

namespace win32 {

using forms::Control;
using forms::Kind;
using forms::Prop;

namespace {

constexpr const char* BindingProperty = "DorvaneControl";
// Edits and memos hold as much as the system allows.
constexpr WPARAM NoTextLimit = 0x7FFFFFFE;

std::string windowText(HWND hwnd) {
    const int length = GetWindowTextLengthA(hwnd);
    std::string text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
    const int got = GetWindowTextA(hwnd, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return text;
}

// The extent of a caption in a font: the widest line, and one text height
// per line (an empty caption is one line high).
SIZE measureCaption(HWND hwnd, HFONT font, const std::string& caption) {
    HDC dc = GetDC(hwnd);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SIZE extent{0, 0};
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = caption.find('\n', start);
        std::string line = caption.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        SIZE size{0, 0};
        if (!line.empty()) GetTextExtentPoint32A(dc, line.c_str(), static_cast<int>(line.size()), &size);
        if (size.cx > extent.cx) extent.cx = size.cx;
        extent.cy += metrics.tmHeight;
        if (end == std::string::npos) break;
        start = end + 1;
    }
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    return extent;
}

}  // namespace

ChildWindow::ChildWindow(forms::Control& control, HWND parent, int id, FormWindow& form, Context& context,
                         bool firstRadioOfParent)
    : control_(control), form_(form), context_(context) {
    const ControlWindowClass cls = controlWindowClass(control, firstRadioOfParent);
    const char* className = context_.compat.windowClass(cls.className);
    hwnd_ = CreateWindowExA(cls.styles.exStyle, className, "", cls.styles.style, 0, 0, 0, 0, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), context.instance, nullptr);
    if (!hwnd_) return;
    SetPropA(hwnd_, BindingProperty, this);
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ChildWindow::subclassProcedure)));
    // Creation order is stacking order: a later control covers an earlier one.
    SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    applying_ = true;
    applyFont();
    switch (control.kind()) {
    case Kind::Edit:
    case Kind::Memo: SendMessageA(hwnd_, EM_SETLIMITTEXT, NoTextLimit, 0); break;
    case Kind::Image:
        bitmap_ = makeBitmap(static_cast<const forms::Image&>(control).picture);
        if (bitmap_) SendMessageA(hwnd_, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap_));
        break;
    case Kind::StatusBar: {
        const auto& widths = static_cast<const forms::StatusBar&>(control).panelWidths;
        // Right edges; the last panel reaches the bar's right end.
        std::vector<int> edges;
        int right = 0;
        for (std::size_t i = 0; i < widths.size(); ++i) {
            right += context.dpi.px(widths[i]);
            edges.push_back(i + 1 == widths.size() ? -1 : right);
        }
        if (!edges.empty())
            SendMessageA(hwnd_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
        break;
    }
    default: break;
    }
    applyText();
    applyChecked();
    applyProgress();
    applying_ = false;
    layout();
    observer_ = control.observe([this](Prop prop) { apply(prop); });
}

ChildWindow::~ChildWindow() {
    if (bitmap_) DeleteObject(bitmap_);
}

ChildWindow* ChildWindow::from(HWND hwnd) {
    return hwnd ? static_cast<ChildWindow*>(GetPropA(hwnd, BindingProperty)) : nullptr;
}

void ChildWindow::apply(Prop prop) {
    if (context_.detached || !hwnd_) return;
    switch (prop) {
    case Prop::Visible: ShowWindow(hwnd_, control_.visible() ? SW_SHOWNA : SW_HIDE); break;
    case Prop::Enabled: EnableWindow(hwnd_, control_.enabled() ? TRUE : FALSE); break;
    case Prop::Text:
        applying_ = true;
        applyText();
        applying_ = false;
        if (control_.autoSize) layout();
        form_.leaderChanged(control_);
        break;
    case Prop::Bounds:
        layout();
        form_.leaderChanged(control_);
        break;
    case Prop::Font:
        applyFont();
        if (control_.autoSize) layout();
        form_.leaderChanged(control_);
        InvalidateRect(hwnd_, nullptr, TRUE);
        break;
    case Prop::Color:
    case Prop::Alignment:
        if (control_.kind() == Kind::RichEdit) applyRichLook();
        InvalidateRect(hwnd_, nullptr, TRUE);
        break;
    case Prop::Checked: applyChecked(); break;
    case Prop::Progress: applyProgress(); break;
    case Prop::Repaint: repaint(); break;
    default: break;  // the cursor is read when the mouse asks for it
    }
}

void ChildWindow::applyText() {
    switch (control_.kind()) {
    case Kind::RichEdit: applyRichLook(); break;
    case Kind::Label:
    case Kind::Edit:
    case Kind::Memo:
    case Kind::Button:
    case Kind::BitBtn:
    case Kind::RadioButton: SetWindowTextA(hwnd_, toAnsi(control_.text()).c_str()); break;
    default: break;  // panels show no caption; the rest have none
    }
}

void ChildWindow::applyFont() {
    if (control_.kind() == Kind::RichEdit) {
        applyRichLook();
        return;
    }
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(context_.fonts.get(control_.font())), TRUE);
}

void ChildWindow::applyRichLook() {
    const RichLook look{control_.font(), colorRef(control_.font().color), colorRef(control_.color()),
                        control_.alignment()};
    setRichText(hwnd_, control_.text(), look);
}

void ChildWindow::applyChecked() {
    if (control_.kind() != Kind::RadioButton) return;
    const bool checked = static_cast<const forms::RadioButton&>(control_).checked();
    SendMessageA(hwnd_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void ChildWindow::applyProgress() {
    if (control_.kind() != Kind::ProgressBar) return;
    const auto& bar = static_cast<const forms::ProgressBar&>(control_);
    context_.compat.setProgressRange(hwnd_, bar.min(), bar.max());
    SendMessageA(hwnd_, PBM_SETPOS, static_cast<WPARAM>(bar.position()), 0);
}

void ChildWindow::repaint() {
    // The control paints itself now, and with it whatever else of its form
    // waits to be painted, so that controls which the same handler hid do not
    // linger on screen while the handler keeps the message loop busy.
    UpdateWindow(topLevelOf(hwnd_));
    // A window that has not looked at its queue for a few seconds is taken
    // for hung, and Windows covers it with a ghost copy that hides the
    // progress. Looking without taking keeps it genuine; no input is
    // processed while the handler runs.
    MSG pending;
    PeekMessageA(&pending, nullptr, 0, 0, PM_NOREMOVE);
}

RECT ChildWindow::placement() const {
    const Dpi& dpi = context_.dpi;
    int x = dpi.px(control_.left()), y = dpi.px(control_.top());
    int w = dpi.px(control_.width()), h = dpi.px(control_.height());
    if (control_.kind() == Kind::Label && control_.autoSize) {
        const SIZE extent = measureCaption(hwnd_, context_.fonts.get(control_.font()), toAnsi(control_.text()));
        w = extent.cx;
        h = extent.cy;
        // A label that continues another one's line starts where that
        // caption ends in its font on this screen.
        if (const Control* leader = control_.follows) {
            const SIZE before = measureCaption(hwnd_, context_.fonts.get(leader->font()), toAnsi(leader->text()));
            x = dpi.px(leader->left()) + before.cx;
        }
    } else if (control_.kind() == Kind::Bevel) {
        // A bevel of this kind is one etched line along its bottom edge.
        y += h - 2;
        h = 2;
    }
    if (control_.dockedBottom) {
        RECT parent{};
        GetClientRect(GetParent(hwnd_), &parent);
        x = 0;
        w = parent.right;
        y = parent.bottom - h;
    }
    return {x, y, x + w, y + h};
}

void ChildWindow::layout() {
    if (!hwnd_) return;
    const RECT r = placement();
    SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void ChildWindow::takeFocus() {
    SetFocus(hwnd_);
    // Tabbing into a one-line edit selects its text, ready to be replaced.
    if (control_.kind() == Kind::Edit) SendMessageA(hwnd_, EM_SETSEL, 0, -1);
}

void ChildWindow::notified(WORD code) {
    if (context_.detached) return;
    switch (control_.kind()) {
    case Kind::Button:
    case Kind::BitBtn:
        if (code == BN_CLICKED) control_.click();
        break;
    case Kind::RadioButton:
        // A radio button also reports BN_CLICKED when it merely receives the
        // focus; only a button that is now checked was chosen.
        if (code == BN_CLICKED && SendMessageA(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED)
            static_cast<forms::RadioButton&>(control_).checkedByUser(observer_);
        break;
    case Kind::Label:
        if (code == STN_CLICKED) control_.click();
        break;
    case Kind::Edit:
    case Kind::Memo:
        if (code == EN_CHANGE && !applying_) control_.textEdited(fromAnsi(windowText(hwnd_)), observer_);
        break;
    default: break;
    }
}

HBRUSH ChildWindow::colors(HDC dc) const {
    const forms::Color back = backgroundOf(control_);
    SetTextColor(dc, colorRef(control_.font().color));
    SetBkColor(dc, colorRef(back));
    return context_.brushes.get(back);
}

HBRUSH ChildWindow::background() const { return context_.brushes.get(control_.color()); }

LRESULT CALLBACK ChildWindow::subclassProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    ChildWindow* self = from(hwnd);
    if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
    return self->handle(message, wParam, lParam);
}

LRESULT ChildWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    const WNDPROC original = original_;
    const HWND hwnd = hwnd_;
    switch (message) {
    case WM_SETFOCUS: {
        const LRESULT result = CallWindowProcA(original, hwnd, message, wParam, lParam);
        if (!context_.detached) form_.focusArrived(*this);
        return result;
    }
    case WM_MOUSEMOVE:
        if (!trackingMouse_ && !context_.detached) {
            trackingMouse_ = context_.compat.trackMouseLeave(hwnd);
            control_.mouseEnter();
        }
        break;
    case WM_TIMER:
        if (context_.compat.leaveWatch(hwnd, wParam)) return 0;
        break;
    case WM_MOUSELEAVE:
        trackingMouse_ = false;
        if (!context_.detached) control_.mouseLeave();
        break;
    case WM_SETCURSOR:
        if (control_.cursor() == forms::Cursor::Hand && LOWORD(lParam) == HTCLIENT) {
            // Windows 95 and NT 4 have no hand cursor.
            HCURSOR hand = LoadCursorA(nullptr, IDC_HAND);
            SetCursor(hand ? hand : LoadCursorA(nullptr, IDC_ARROW));
            return TRUE;
        }
        break;
    case WM_NCDESTROY:
        RemovePropA(hwnd, BindingProperty);
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        hwnd_ = nullptr;
        break;
    default: break;
    }
    return CallWindowProcA(original, hwnd, message, wParam, lParam);
}

bool reflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_COMMAND:
        if (ChildWindow* child = ChildWindow::from(reinterpret_cast<HWND>(lParam))) {
            child->notified(HIWORD(wParam));
            result = 0;
            return true;
        }
        return false;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
        if (ChildWindow* child = ChildWindow::from(reinterpret_cast<HWND>(lParam))) {
            result = reinterpret_cast<LRESULT>(child->colors(reinterpret_cast<HDC>(wParam)));
            return true;
        }
        return false;
    default: return false;
    }
}

LRESULT CALLBACK panelProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (reflectToChild(message, wParam, lParam, result)) return result;
    const ChildWindow* self = ChildWindow::from(hwnd);
    switch (message) {
    case WM_ERASEBKGND:
        if (self) {
            RECT area{};
            GetClientRect(hwnd, &area);
            FillRect(reinterpret_cast<HDC>(wParam), &area, self->background());
            return 1;
        }
        break;
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(hwnd, &paint);
        if (self && self->control().border) {
            RECT area{};
            GetClientRect(hwnd, &area);
            DrawEdge(dc, &area, BDR_RAISEDOUTER, BF_RECT);
        }
        EndPaint(hwnd, &paint);
        return 0;
    }
    default: break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace win32
