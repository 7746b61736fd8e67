#include "platform/win32/FormWindow.h"

#include <algorithm>
#include <string>

#include "platform/windows/Text.h"
#include "platform/win32/ViewFactory.h"

namespace win32 {

using forms::Control;
using forms::Prop;

namespace {

// The model's frame in window styles.
WindowStyle windowStyle(const forms::Frame& f) {
    WindowStyle s{WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | (f.dialog ? WS_POPUP : WS_OVERLAPPED), 0};
    if (f.minimizeBox) s.style |= WS_MINIMIZEBOX;
    if (f.maximizeBox) s.style |= WS_MAXIMIZEBOX;
    if (f.sizeable) s.style |= WS_THICKFRAME;
    if (f.dialog) s.exStyle |= WS_EX_DLGMODALFRAME;
    if (f.tool) s.exStyle |= WS_EX_TOOLWINDOW;
    if (f.stayOnTop) s.exStyle |= WS_EX_TOPMOST;
    return s;
}

}  // namespace

FormWindow::FormWindow(forms::Form& form, Context& context, HWND owner) : form_(form), context_(context) {
    style_ = windowStyle(form.frame());
    if (form.menu()) menu_ = std::make_unique<MenuBinding>(*form.menu());
    const SIZE outer = outerSize();
    create(context.instance, {.className = "T" + form.name(),
                              .withIcon = !form.frame().dialog,
                              .style = style_.style,
                              .exStyle = style_.exStyle,
                              .text = toAnsi(form.text()),
                              .parent = owner,
                              .menuOrId = menu_ ? menu_->handle() : nullptr,
                              .width = outer.cx,
                              .height = outer.cy});
    if (!hwnd()) return;
    if (menu_) menu_->attach(hwnd());
    matchClientSize();
}

// The window goes before the views of its controls, whose windows it holds.
FormWindow::~FormWindow() {
    form_.unobserve(observer_);
    timers_.clear();
    destroy();
}

void FormWindow::populate(ViewFactory& factory) {
    if (!hwnd()) return;
    for (Control* c : form_.controls())
        children_.emplace_back(static_cast<ControlView*>(c->makeView(factory).release()));
    // A timer's id is its place in the form's list, counted from 1.
    const auto& timers = form_.timers();
    for (std::size_t i = 0; i < timers.size(); ++i)
        timers_.push_back(std::make_unique<TimerBinding>(*timers[i], hwnd(), i + 1));
    observer_ = form_.observe([this](Prop prop) { apply(prop); });
    if (form_.visible()) applyVisible();
}

ControlView* FormWindow::childFor(const Control& control) const {
    for (const auto& child : children_)
        if (&child->control() == &control) return child.get();
    return nullptr;
}

SIZE FormWindow::outerSize() const {
    const Dpi& dpi = context_.dpi;
    if (form_.clientWidth() <= 0 || form_.clientHeight() <= 0) return {dpi.px(form_.width()), dpi.px(form_.height())};
    RECT r{0, 0, dpi.px(form_.clientWidth()), dpi.px(form_.clientHeight())};
    AdjustWindowRectEx(&r, style_.style, menu_ ? TRUE : FALSE, style_.exStyle);
    return {r.right - r.left, r.bottom - r.top};
}

// The frame metrics of the running system (a menu bar that wraps, a theme's
// border) may differ from what AdjustWindowRectEx assumed; the client area
// is what the form prescribes.
void FormWindow::matchClientSize() {
    if (form_.clientWidth() <= 0 || form_.clientHeight() <= 0 || IsIconic(hwnd())) return;
    RECT client{}, outer{};
    GetClientRect(hwnd(), &client);
    GetWindowRect(hwnd(), &outer);
    const int dw = context_.dpi.px(form_.clientWidth()) - client.right;
    const int dh = context_.dpi.px(form_.clientHeight()) - client.bottom;
    if (dw == 0 && dh == 0) return;
    SetWindowPos(hwnd(), nullptr, 0, 0, outer.right - outer.left + dw, outer.bottom - outer.top + dh,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::apply(Prop prop) {
    if (!hwnd()) return;
    switch (prop) {
    case Prop::Visible: applyVisible(); break;
    case Prop::Bounds: applySize(); break;
    case Prop::Text: SetWindowTextA(hwnd(), toAnsi(form_.text()).c_str()); break;
    case Prop::WindowState: applyWindowState(); break;
    case Prop::FormStyle: applyLevel(); break;
    case Prop::Focus: applyFocus(); break;
    case Prop::Color: InvalidateRect(hwnd(), nullptr, TRUE); break;
    default: break;
    }
}

// Shown from hidden, the window becomes the active one (SW_SHOW activates),
// where the model says it appears.
void FormWindow::applyVisible() {
    if (!form_.visible()) {
        ShowWindow(hwnd(), SW_HIDE);
        return;
    }
    if (IsWindowVisible(hwnd())) return;
    if (form_.centredNow()) centre();
    applyLevel();
    int show = SW_SHOW;
    if (form_.windowState() == forms::WindowState::Minimized) show = SW_SHOWMINIMIZED;
    if (form_.windowState() == forms::WindowState::Maximized) show = SW_SHOWMAXIMIZED;
    ShowWindow(hwnd(), show);
}

void FormWindow::centre() {
    RECT outer{};
    GetWindowRect(hwnd(), &outer);
    const int w = outer.right - outer.left, h = outer.bottom - outer.top;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2, y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
    SetWindowPos(hwnd(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::applySize() {
    const SIZE outer = outerSize();
    if (IsIconic(hwnd())) {
        // A minimized window keeps the size it will be restored to.
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        GetWindowPlacement(hwnd(), &placement);
        placement.rcNormalPosition.right = placement.rcNormalPosition.left + outer.cx;
        placement.rcNormalPosition.bottom = placement.rcNormalPosition.top + outer.cy;
        SetWindowPlacement(hwnd(), &placement);
        return;
    }
    SetWindowPos(hwnd(), nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    matchClientSize();
}

void FormWindow::applyWindowState() {
    if (!IsWindowVisible(hwnd())) return;  // applied when the form is shown
    switch (form_.windowState()) {
    case forms::WindowState::Minimized:
        if (!IsIconic(hwnd())) ShowWindow(hwnd(), SW_MINIMIZE);
        break;
    case forms::WindowState::Maximized:
        if (!IsZoomed(hwnd())) ShowWindow(hwnd(), SW_MAXIMIZE);
        break;
    case forms::WindowState::Normal:
        if (IsIconic(hwnd()) || IsZoomed(hwnd())) ShowWindow(hwnd(), SW_RESTORE);
        break;
    }
}

void FormWindow::applyLevel() {
    const bool onTop = form_.frame().stayOnTop;
    SetWindowPos(hwnd(), onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void FormWindow::applyFocus() {
    // A form that is not active takes the focus when it is activated.
    if (GetActiveWindow() == hwnd()) focus(form_.activeControl());
}

// The model's active control, which it moves on when that one can no longer
// take the focus; without one the frame itself keeps the keys. A control
// that a sibling still covers while a dialog changes state takes it too: the
// model gave it the focus, and the sibling goes before the state is done.
void FormWindow::focus(const Control* control) {
    if (ControlView* child = control && control->reachable() ? childFor(*control) : nullptr)
        child->takeFocus();
    else
        SetFocus(hwnd());
}

void FormWindow::focusArrived(ControlView& child) {
    child.control().focusMoved(observer_);
    showEnterButton();
}

// As in a dialog: the button Enter would press is drawn as the default one.
void FormWindow::showEnterButton() {
    const Control* target = form_.enterButton();
    for (const auto& child : children_)
        if (child->isPushButton())
            SendMessageA(child->hwnd(), BM_SETSTYLE, &child->control() == target ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON,
                         TRUE);
}

void FormWindow::sizeChanged(WPARAM kind) {
    switch (kind) {
    case SIZE_MINIMIZED: form_.setWindowState(forms::WindowState::Minimized, observer_); break;
    case SIZE_MAXIMIZED: form_.setWindowState(forms::WindowState::Maximized, observer_); break;
    case SIZE_RESTORED: form_.setWindowState(forms::WindowState::Normal, observer_); break;
    default: break;
    }
}

bool FormWindow::preTranslate(const MSG& message) {
    if (!hwnd() || message.message != WM_KEYDOWN) return false;
    return key(message.wParam);
}

bool FormWindow::key(WPARAM virtualKey) {
    ControlView* focused = ControlView::of(GetFocus());
    if (focused && topLevelOf(focused->hwnd()) != hwnd()) focused = nullptr;
    Control* current = focused ? &focused->control() : nullptr;

    switch (virtualKey) {
    case VK_TAB:
        if (GetKeyState(VK_CONTROL) < 0) return false;
        form_.keyTab(current, GetKeyState(VK_SHIFT) < 0);
        return true;
    case VK_RETURN:
        // False in a memo the user types into: Enter starts a new line there.
        return form_.keyEnter(current);
    case VK_ESCAPE:
        form_.keyEscape();
        return true;
    case VK_SPACE: return form_.keySpace(current);
    case VK_LEFT:
    case VK_UP: return form_.keyArrow(current, true);
    case VK_RIGHT:
    case VK_DOWN: return form_.keyArrow(current, false);
    default: return false;
    }
}

LRESULT FormWindow::message(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (reflectToChild(message, wParam, lParam, result)) return result;
    switch (message) {
    case WM_COMMAND:
        if (lParam == 0 && menu_ && menu_->command(LOWORD(wParam))) return 0;
        break;
    case WM_TIMER: {
        const auto& timers = form_.timers();
        if (wParam >= 1 && wParam <= timers.size()) timers[wParam - 1]->tick();
        return 0;
    }
    case WM_CLOSE:
        // Closing a secondary form only hides it; closing the main form ends
        // the program. The model decides.
        form_.closeBox();
        return 0;
    case WM_ERASEBKGND: {
        RECT area{};
        GetClientRect(hwnd(), &area);
        FillRect(reinterpret_cast<HDC>(wParam), &area, context_.brushes.get(form_.color()));
        return 1;
    }
    case WM_SIZE: sizeChanged(wParam); break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && HIWORD(wParam) == 0) {
            focus(form_.activeControl());
            return 0;
        }
        break;
    case WM_SETFOCUS:
        // The frame itself got the focus back (after a restore, say): pass it
        // on to the control that has it in the model.
        if (const Control* target = form_.activeControl(); target && target->reachable()) focus(target);
        return 0;
    default: break;
    }
    return base(message, wParam, lParam);
}

}  // namespace win32
