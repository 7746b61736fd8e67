// The view of one control of the model: a native child window of its kind's
// class, kept in step with every property the model announces; what the user
// does in it (clicks, typing, checking, focus, hovering) goes back into the
// model under this view's observer id, so that it is not echoed back.
#pragma once

#include "platform/forms/Controls.h"
#include "platform/forms/View.h"
#include "platform/win32/Context.h"
#include "platform/win32/Window.h"

namespace win32 {

class FormWindow;

class ControlView : public Window, public forms::View {
public:
    ControlView(forms::Control& control, FormWindow& form, Context& context);
    ~ControlView() override;

    forms::Control& control() const { return control_; }
    // The view of a window this renderer created for a control, or null.
    static ControlView* of(HWND hwnd);

    // Creates the window inside `parent` (`id` is unique within the form) and
    // mirrors the control into it.
    void build(HWND parent, int id);
    // A notification the window sent its parent (BN_CLICKED, EN_CHANGE ...).
    virtual void notified(WORD code);
    // WM_CTLCOLOR*: text and background colours; the background brush.
    HBRUSH colors(HDC dc) const;
    // Places the window where the model says.
    void layout();
    // Puts the keyboard focus on it, as the Tab key does.
    virtual void takeFocus();
    // A push button: shown as the one Enter presses while it has the focus.
    virtual bool isPushButton() const { return false; }

protected:
    // The class and styles of the kind; the common styles are added.
    virtual CreateArgs nativeWindow() const = 0;
    virtual void applyText();
    virtual void applyFont();
    // Colour and alignment beyond what WM_CTLCOLOR* gives.
    virtual void applyLook() {}
    // The kind's own state (checked, position, panels, picture).
    virtual void applyState() {}
    virtual RECT placement() const;
    // True for kinds whose window reports its own clicks (BN_CLICKED, which
    // the keyboard makes too), so the mouse button's release is not one.
    virtual bool reportsOwnClicks() const { return false; }
    LRESULT message(UINT message, WPARAM wParam, LPARAM lParam) override;

    forms::Control& control_;
    FormWindow& form_;
    Context& context_;
    forms::ObserverId observer_ = 0;
    // Set while the model's state is written into the window, so that the
    // window's own change notifications are not taken for the user's.
    bool applying_ = false;

private:
    void apply(forms::Prop prop);
    void repaint();

    bool trackingMouse_ = false;
    HFONT font_ = nullptr;
};

// For the window procedure of a form or a panel: hands a child's WM_COMMAND
// and WM_CTLCOLOR* to its view. True when the message was one of those.
bool reflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

}  // namespace win32
