#include "platform/win32/Compat.h"

#include <cstring>

namespace win32 {

namespace {

// The newer calls' types and constants, spelt out here because the headers,
// set to Windows 95's level, do not offer them.
struct CommonControlsEx {
    DWORD dwSize;
    DWORD dwICC;
};
constexpr DWORD IccBarClasses = 0x0004;     // ICC_BAR_CLASSES: status bar
constexpr DWORD IccProgressClass = 0x0020;  // ICC_PROGRESS_CLASS
using InitCommonControlsExCall = BOOL(WINAPI*)(const CommonControlsEx*);

struct MouseTrack {
    DWORD cbSize;
    DWORD dwFlags;
    HWND hwndTrack;
    DWORD dwHoverTime;
};
constexpr DWORD TmeLeave = 0x0002;           // TME_LEAVE
constexpr UINT MouseLeave = 0x02A3;          // WM_MOUSELEAVE
constexpr UINT ProgressSetRange32 = WM_USER + 6;  // PBM_SETRANGE32

// The fallback's cursor watch: its timer id and period.
constexpr UINT_PTR LeaveWatchTimer = 0x4C56;
constexpr UINT LeaveWatchMilliseconds = 100;

template <typename Call>
Call lookUp(const char* module, const char* name) {
    const HMODULE dll = GetModuleHandleA(module);
    if (!dll) return nullptr;
    const FARPROC found = GetProcAddress(dll, name);
    Call call;
    static_assert(sizeof call == sizeof found);
    std::memcpy(&call, &found, sizeof call);
    return call;
}

}  // namespace

Compat::Compat(Fallbacks forced) {
    // InitCommonControls, which every comctl32 has, is imported; it also
    // loads the library in which the newer call is looked up.
    InitCommonControls();
    const auto initEx = forced.initCommonControlsEx
                            ? nullptr
                            : lookUp<InitCommonControlsExCall>("comctl32.dll", "InitCommonControlsEx");
    if (initEx) {
        const CommonControlsEx controls{sizeof controls, IccProgressClass | IccBarClasses};
        initCommonControlsEx_ = initEx(&controls) != FALSE;
    }
    // PBM_SETRANGE32 came with the same comctl32 as InitCommonControlsEx.
    progressRange32_ = initEx && !forced.progressRange32;

    if (!forced.trackMouseEvent)
        trackMouseEvent_ = lookUp<BOOL(WINAPI*)(void*)>("user32.dll", "TrackMouseEvent");

    // Rich edit 2.0 where it exists; Windows 95 without later updates has
    // only rich edit 1.0. Both stay loaded for the life of the process.
    richEdit20_ = !forced.richEdit20 && LoadLibraryA("riched20.dll") != nullptr;
    if (!richEdit20_) LoadLibraryA("riched32.dll");
}

const char* Compat::windowClass(const char* className) const {
    if (!richEdit20_ && std::strcmp(className, "RichEdit20A") == 0) return "RICHEDIT";
    return className;
}

void Compat::setProgressRange(HWND bar, int min, int max) const {
    if (progressRange32_) {
        SendMessageA(bar, ProgressSetRange32, static_cast<WPARAM>(min), max);
        return;
    }
    // Two 16-bit halves; the diskette's scale, 0 to 2,384, fits.
    SendMessageA(bar, PBM_SETRANGE, 0, MAKELPARAM(static_cast<WORD>(min), static_cast<WORD>(max)));
}

bool Compat::trackMouseLeave(HWND hwnd) const {
    if (trackMouseEvent_) {
        MouseTrack track{sizeof track, TmeLeave, hwnd, 0};
        return trackMouseEvent_(&track) != FALSE;
    }
    return SetTimer(hwnd, LeaveWatchTimer, LeaveWatchMilliseconds, nullptr) != 0;
}

bool Compat::leaveWatch(HWND hwnd, WPARAM timerId) const {
    if (timerId != LeaveWatchTimer) return false;
    POINT cursor;
    if (!GetCursorPos(&cursor) || WindowFromPoint(cursor) != hwnd) {
        KillTimer(hwnd, LeaveWatchTimer);
        PostMessageA(hwnd, MouseLeave, 0, 0);
    }
    return true;
}

}  // namespace win32
