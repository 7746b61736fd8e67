// Fallbacks for calls of later Windows versions taken even where the newer
// call exists: the tests' way to run each of them, since Wine has every
// newer call. Free of <windows.h>, for Win32Backend.h.
#pragma once

namespace win32 {

struct Fallbacks {
    bool trackMouseEvent = false;
    bool initCommonControlsEx = false;
    bool richEdit20 = false;
    bool progressRange32 = false;
};

}  // namespace win32
