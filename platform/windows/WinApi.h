// The one place that includes <windows.h> for the Windows backend.
//
// The facade and the control model name their constants and members after
// Win32 (GENERIC_READ, DEFAULT_CHARSET, MessageBox ...); <windows.h> defines
// many of those names as macros. So a file of this folder includes every
// project header first and this header last, and the macros that would also
// rewrite the model's own names are removed here.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif

#include <windows.h>
#include <commctrl.h>
#include <richedit.h>
#include <shellapi.h>
#include <winioctl.h>

// forms::DEFAULT_CHARSET and forms::RUSSIAN_CHARSET carry the same values.
#undef DEFAULT_CHARSET
#undef RUSSIAN_CHARSET
// forms::Application::MessageBox is a member, not the A/W switch.
#undef MessageBox

namespace win32 {

// The top-level window that holds `hwnd` (GA_ROOT, in calls that every
// Windows version has).
inline HWND topLevelOf(HWND hwnd) {
    while (hwnd && (GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD)) hwnd = GetParent(hwnd);
    return hwnd;
}

}  // namespace win32
