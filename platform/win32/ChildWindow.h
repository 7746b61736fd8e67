// Binds one control of the model to its native child window: creates it with
// the control's class and styles, mirrors every property the model announces,
// and feeds what the user does (clicks, typing, checking, focus, hovering)
// back into the model under this binding's observer id, so the change is not
// echoed back to the window.
#pragma once

#include "platform/forms/Controls.h"
#include "platform/win32/Context.h"
#include "platform/win32/WinApi.h"

namespace win32 {

class FormWindow;

class ChildWindow {
public:
    // `id` is the child-window identifier, unique within the form.
    ChildWindow(forms::Control& control, HWND parent, int id, FormWindow& form, Context& context,
                bool firstRadioOfParent);
    ~ChildWindow();
    ChildWindow(const ChildWindow&) = delete;
    ChildWindow& operator=(const ChildWindow&) = delete;

    HWND hwnd() const { return hwnd_; }
    forms::Control& control() const { return control_; }
    // The binding of a window this backend created, or null.
    static ChildWindow* from(HWND hwnd);

    // A notification the control sent its parent (BN_CLICKED, EN_CHANGE ...).
    void notified(WORD code);
    // WM_CTLCOLOR*: text and background colours; the background brush.
    HBRUSH colors(HDC dc) const;
    // The brush of its own background colour.
    HBRUSH background() const;
    // Places the window again (its parent's size changed).
    void layout();
    // Puts the keyboard focus on it, as the Tab key does.
    void takeFocus();

private:
    void apply(forms::Prop prop);
    void applyText();
    void applyFont();
    void applyChecked();
    void applyProgress();
    void applyRichLook();
    void repaint();
    RECT placement() const;
    static LRESULT CALLBACK subclassProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    forms::Control& control_;
    FormWindow& form_;
    Context& context_;
    HWND hwnd_ = nullptr;
    WNDPROC original_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    forms::ObserverId observer_ = 0;
    // Set while the model's state is written into the window, so that the
    // window's own change notifications are not taken for the user's.
    bool applying_ = false;
    bool trackingMouse_ = false;
};

// For the window procedure of a form or a panel: hands a child's WM_COMMAND
// and WM_CTLCOLOR* to its binding. True when the message was one of those.
bool reflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

// The window procedure of the panel class: background, border, and the
// children's notifications.
LRESULT CALLBACK panelProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace win32
