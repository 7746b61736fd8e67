// Which native window stands for a form or a control, and with which styles.
#pragma once

#include "platform/forms/Form.h"
#include "platform/win32/WinApi.h"

namespace win32 {

struct WindowStyle {
    DWORD style;
    DWORD exStyle;
};

// The frame of a form: its border style, its maximize box and its level.
WindowStyle formWindowStyle(const forms::Form& form);

struct ControlWindowClass {
    const char* className;
    WindowStyle styles;
};

// The class and styles of a control's child window. `firstRadioOfParent`
// starts a radio group (WS_GROUP).
ControlWindowClass controlWindowClass(const forms::Control& control, bool firstRadioOfParent);

}  // namespace win32
