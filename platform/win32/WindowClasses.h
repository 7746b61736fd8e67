// The window classes of the renderer. A form's class is named after the
// form's class ("T" + its name); panels have one of their own; the system's
// control classes are superclassed under "Dorvane" + their name, so that
// their windows are created through the renderer's own procedure.
#pragma once

#include <string>

#include "platform/win32/WinApi.h"

namespace win32 {

struct WindowClass {
    std::string name;
    WNDPROC base;  // what the class's windows do by themselves
};

// Registers the class once per process; later calls find it registered. With
// `systemClass` the class is that one's superclass, else one on
// DefWindowProcA (with the program's icon when `withIcon`).
WindowClass registerWindowClass(HINSTANCE instance, const char* systemClass, const std::string& className,
                                bool withIcon, WNDPROC procedure);

}  // namespace win32
