// The frame a form's window has.
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

}  // namespace win32
