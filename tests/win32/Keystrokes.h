// Keys as the keyboard delivers them: posted (so that a menu's or a dialog's
// own loop takes them in order), with the lParam Windows gives them.
#pragma once

#include "platform/windows/WinApi.h"

namespace wintest {

// The lParam of a message for `key` pressed or released (`up`), with Alt
// held when `alt`.
inline LPARAM keyLParam(WPARAM key, bool up, bool alt = false) {
    const UINT scan = MapVirtualKeyA(static_cast<UINT>(key), 0);
    return static_cast<LPARAM>(1 | (scan << 16) | (alt ? 1u << 29 : 0u) | (up ? 3u << 30 : 0u));
}

// `key` pressed and released: WM_KEYDOWN and WM_KEYUP.
inline void postKeystroke(HWND target, WPARAM key) {
    PostMessageA(target, WM_KEYDOWN, key, keyLParam(key, false));
    PostMessageA(target, WM_KEYUP, key, keyLParam(key, true));
}

// A key the system takes (F10, or a letter with Alt held when `alt`):
// WM_SYSKEYDOWN and WM_SYSKEYUP.
inline void postSystemKeystroke(HWND target, WPARAM key, bool alt) {
    PostMessageA(target, WM_SYSKEYDOWN, key, keyLParam(key, false, alt));
    PostMessageA(target, WM_SYSKEYUP, key, keyLParam(key, true, alt));
}

}  // namespace wintest
