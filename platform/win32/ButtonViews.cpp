// Push buttons and radio buttons.
#include "platform/win32/Views.h"

namespace win32 {

Window::CreateArgs ButtonView::nativeWindow() const {
    const bool isDefault = static_cast<const forms::Button&>(control_).isDefault;
    return {.systemClass = "BUTTON", .style = WS_TABSTOP | DWORD(isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON)};
}

void ButtonView::notified(WORD code) {
    if (code == BN_CLICKED) control_.click();
}

// A radio group is its parent's radio buttons, in the model and in the
// native buttons alike: with no WS_GROUP among them, checking one unchecks
// the others of the same parent only.
Window::CreateArgs RadioButtonView::nativeWindow() const {
    return {.systemClass = "BUTTON", .style = BS_AUTORADIOBUTTON | WS_TABSTOP};
}

void RadioButtonView::applyState() {
    const bool checked = static_cast<const forms::RadioButton&>(control_).checked();
    SendMessageA(hwnd(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void RadioButtonView::notified(WORD code) {
    // A radio button also reports BN_CLICKED when it merely receives the
    // focus; only a button that is now checked was chosen.
    if (code == BN_CLICKED && SendMessageA(hwnd(), BM_GETCHECK, 0, 0) == BST_CHECKED)
        static_cast<forms::RadioButton&>(control_).checkedByUser(observer_);
}

}  // namespace win32
