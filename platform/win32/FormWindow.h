// One top-level window per form: the form's own window class, the frame of
// its border style, the menu bar, a client area of the form's client size,
// the controls inside, and the form's properties (caption, size, visibility,
// window state, stay-on-top, focus, timers). The close box, the keyboard
// (Tab, arrows, Enter, Esc) and native state changes go back to the model.
#pragma once

#include <memory>
#include <vector>

#include "platform/forms/Form.h"
#include "platform/forms/View.h"
#include "platform/win32/Context.h"
#include "platform/win32/ControlView.h"
#include "platform/win32/MenuBinding.h"
#include "platform/win32/TimerBinding.h"
#include "platform/win32/Window.h"

namespace win32 {

class ViewFactory;

struct WindowStyle {
    DWORD style;
    DWORD exStyle;
};

class FormWindow : public Window, public forms::View {
public:
    // `owner` is the window that secondary forms stay above.
    FormWindow(forms::Form& form, Context& context, HWND owner);
    ~FormWindow() override;
    // Makes the views of the form's controls, in creation order.
    void populate(ViewFactory& factory);

    forms::Form& form() const { return form_; }
    ControlView* childFor(const forms::Control& control) const;

    // Keyboard navigation before the message reaches its window, as a dialog
    // does it; true when the form took the key.
    bool preTranslate(const MSG& message);
    // One of the form's controls received the focus.
    void focusArrived(ControlView& child);

private:
    LRESULT message(UINT message, WPARAM wParam, LPARAM lParam) override;

    void apply(forms::Prop prop);
    void applyVisible();
    void applySize();
    void applyWindowState();
    void applyLevel();
    void applyFocus();
    SIZE outerSize() const;
    void matchClientSize();
    void centre();
    void focus(const forms::Control* control);
    void showEnterButton();
    void sizeChanged(WPARAM kind);
    bool key(WPARAM virtualKey);

    forms::Form& form_;
    Context& context_;
    WindowStyle style_{};
    std::unique_ptr<MenuBinding> menu_;
    std::vector<std::unique_ptr<ControlView>> children_;
    forms::ObserverId observer_ = 0;
    std::vector<std::unique_ptr<TimerBinding>> timers_;
};

}  // namespace win32
