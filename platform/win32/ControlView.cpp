#include "platform/win32/ControlView.h"

#include "platform/forms/Contrast.h"
#include "platform/win32/FormWindow.h"
#include "platform/windows/Text.h"

namespace win32 {

using forms::Prop;

ControlView::ControlView(forms::Control& control, FormWindow& form, Context& context)
    : control_(control), form_(form), context_(context) {}

// The views go while the model still exists (Backend::formsClosing).
ControlView::~ControlView() { control_.unobserve(observer_); }

ControlView* ControlView::of(HWND hwnd) { return dynamic_cast<ControlView*>(Window::of(hwnd)); }

void ControlView::build(HWND parent, int id) {
    CreateArgs args = nativeWindow();
    args.style |= WS_CHILD | WS_CLIPSIBLINGS;
    if (control_.shown()) args.style |= WS_VISIBLE;
    if (!control_.enabled()) args.style |= WS_DISABLED;
    args.parent = parent;
    args.menuOrId = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
    if (args.systemClass) args.systemClass = context_.compat.windowClass(args.systemClass);
    create(context_.instance, args);
    if (!hwnd()) return;
    // Creation order is stacking order: a later control covers an earlier one.
    SetWindowPos(hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    applying_ = true;
    applyFont();
    applyText();
    applyState();
    applying_ = false;
    layout();
    observer_ = control_.observe([this](Prop prop) { apply(prop); });
}

void ControlView::apply(Prop prop) {
    if (!hwnd()) return;
    switch (prop) {
    case Prop::Visible: ShowWindow(hwnd(), control_.shown() ? SW_SHOWNA : SW_HIDE); break;
    case Prop::Enabled: EnableWindow(hwnd(), control_.enabled() ? TRUE : FALSE); break;
    case Prop::Text:
    case Prop::Font:
    case Prop::Bounds:
        applying_ = true;
        if (prop == Prop::Text) applyText();
        if (prop == Prop::Font) applyFont();
        applying_ = false;
        layout();
        if (prop == Prop::Font) InvalidateRect(hwnd(), nullptr, TRUE);
        break;
    case Prop::Color:
    case Prop::Alignment:
        applyLook();
        InvalidateRect(hwnd(), nullptr, TRUE);
        break;
    case Prop::Checked:
    case Prop::Progress: applyState(); break;
    case Prop::Repaint: repaint(); break;
    default: break;  // the cursor is read when the mouse asks for it
    }
}

void ControlView::applyText() { SetWindowTextA(hwnd(), toAnsi(control_.text()).c_str()); }

void ControlView::applyFont() {
    SendMessageA(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(context_.fonts.get(control_.font())), TRUE);
}

void ControlView::repaint() {
    // The control paints itself now, and with it whatever else of its form
    // waits to be painted, so that controls which the same handler hid do not
    // linger on screen while the handler keeps the message loop busy.
    UpdateWindow(topLevelOf(hwnd()));
}

RECT ControlView::placement() const {
    const forms::Rect r = control_.placement([this](const forms::Font& f, const std::string& t) {
        return context_.measure(f, t);
    });
    const Dpi& dpi = context_.dpi;
    return {dpi.px(r.left), dpi.px(r.top), dpi.px(r.left + r.width), dpi.px(r.top + r.height)};
}

void ControlView::layout() {
    if (!hwnd()) return;
    const RECT r = placement();
    SetWindowPos(hwnd(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void ControlView::takeFocus() { SetFocus(hwnd()); }

void ControlView::notified(WORD) {}

HBRUSH ControlView::colors(HDC dc) const {
    const forms::Color back = control_.background();
    // COLORREF is laid out as the model's RGB colours are.
    SetTextColor(dc, forms::readableOn(forms::Color{colorRef(control_.font().color)}, forms::Color{colorRef(back)}).value);
    SetBkColor(dc, colorRef(back));
    return context_.brushes.get(back);
}

LRESULT ControlView::message(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETFOCUS: {
        const LRESULT result = base(message, wParam, lParam);
        form_.focusArrived(*this);
        return result;
    }
    case WM_LBUTTONUP: {
        // The model decides whether the click reaches the handler. Buttons
        // report their clicks themselves (the keyboard presses them too).
        const LRESULT result = base(message, wParam, lParam);
        if (!reportsOwnClicks()) control_.click();
        return result;
    }
    case WM_SETFONT:
        font_ = reinterpret_cast<HFONT>(wParam);
        break;
    case WM_GETFONT:
        // Also a window that draws no text (a panel, a picture) answers with
        // the font the model gave it.
        if (const LRESULT own = base(message, wParam, lParam)) return own;
        return reinterpret_cast<LRESULT>(font_);
    case WM_MOUSEMOVE:
        if (!trackingMouse_) {
            trackingMouse_ = context_.compat.trackMouseLeave(hwnd());
            control_.mouseEnter();
        }
        break;
    case WM_TIMER:
        if (context_.compat.leaveWatch(hwnd(), wParam)) return 0;
        break;
    case WM_MOUSELEAVE:
        trackingMouse_ = false;
        control_.mouseLeave();
        break;
    case WM_SETCURSOR:
        if (control_.cursor() == forms::Cursor::Hand && LOWORD(lParam) == HTCLIENT) {
            // Windows 95 and NT 4 have no hand cursor.
            HCURSOR hand = LoadCursorA(nullptr, IDC_HAND);
            SetCursor(hand ? hand : LoadCursorA(nullptr, IDC_ARROW));
            return TRUE;
        }
        break;
    default: break;
    }
    return base(message, wParam, lParam);
}

bool reflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message != WM_COMMAND && message != WM_CTLCOLORSTATIC && message != WM_CTLCOLOREDIT &&
        message != WM_CTLCOLORBTN)
        return false;
    ControlView* child = ControlView::of(reinterpret_cast<HWND>(lParam));
    if (!child) return false;
    if (message == WM_COMMAND)
        child->notified(HIWORD(wParam));
    else
        result = reinterpret_cast<LRESULT>(child->colors(reinterpret_cast<HDC>(wParam)));
    return true;
}

}  // namespace win32
