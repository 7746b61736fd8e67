#include "platform/win32/NativeStyle.h"

namespace win32 {

WindowStyle formWindowStyle(const forms::Form& form) {
    WindowStyle s{WS_CLIPCHILDREN, 0};
    switch (form.borderStyle) {
    case forms::BorderStyle::Single:
        s.style |= WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
        if (form.maximizeBox) s.style |= WS_MAXIMIZEBOX;
        break;
    case forms::BorderStyle::Dialog:
        s.style |= WS_POPUP | WS_CAPTION | WS_SYSMENU;
        s.exStyle |= WS_EX_DLGMODALFRAME;
        break;
    case forms::BorderStyle::SizeToolWin:
        s.style |= WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
        s.exStyle |= WS_EX_TOOLWINDOW;
        break;
    }
    if (form.formStyle() == forms::FormStyle::StayOnTop) s.exStyle |= WS_EX_TOPMOST;
    return s;
}

}  // namespace win32
