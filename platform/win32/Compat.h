// Calls that Windows 95 lacks, looked up at run time, each with a fallback
// that keeps the behaviour: the program imports only what every 32-bit
// Windows exports, so that Windows 95 agrees to load it.
//
//   TrackMouseEvent (Windows 98, NT 4)     a 100 ms timer that watches the cursor
//   InitCommonControlsEx (comctl32 4.70)   InitCommonControls
//   "RichEdit20A" (riched20.dll)           "RICHEDIT" (riched32.dll)
//   PBM_SETRANGE32 (comctl32 4.70)         PBM_SETRANGE, a 16-bit range
#pragma once

#include "platform/win32/Fallbacks.h"
#include "platform/windows/WinApi.h"

// The hand cursor came with Windows 98 and 2000; loading it elsewhere fails
// and the arrow is used.
#ifndef IDC_HAND
#define IDC_HAND MAKEINTRESOURCEA(32649)
#endif

namespace win32 {

class Compat {
public:
    // Registers the common controls and loads a rich edit library for the
    // life of the process.
    explicit Compat(Fallbacks forced = {});

    // The class a control window is created with: the rich edit that the
    // system has in place of "RichEdit20A"; any other class unchanged.
    const char* windowClass(const char* className) const;
    void setProgressRange(HWND bar, int min, int max) const;
    // Arranges for WM_MOUSELEAVE when the cursor leaves `hwnd`; true while
    // that is arranged.
    bool trackMouseLeave(HWND hwnd) const;
    // The window procedure's WM_TIMER: true when it was the fallback's cursor
    // watch, which posts WM_MOUSELEAVE once the cursor is elsewhere.
    bool leaveWatch(HWND hwnd, WPARAM timerId) const;

    // Which newer calls are in use (for the tests).
    bool usesTrackMouseEvent() const { return trackMouseEvent_ != nullptr; }
    bool usesInitCommonControlsEx() const { return initCommonControlsEx_; }
    bool usesRichEdit20() const { return richEdit20_; }
    bool usesProgressRange32() const { return progressRange32_; }

private:
    BOOL(WINAPI* trackMouseEvent_)(void*) = nullptr;
    bool initCommonControlsEx_ = false;
    bool richEdit20_ = false;
    bool progressRange32_ = false;
};

}  // namespace win32
