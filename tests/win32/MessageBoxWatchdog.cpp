#include "tests/win32/MessageBoxWatchdog.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/WinApi.h"

namespace wintest {
namespace {

// A message box is a dialog of the system's dialog class.
BOOL CALLBACK findBox(HWND hwnd, LPARAM found) {
    char name[16] = {};
    GetClassNameA(hwnd, name, sizeof name);
    if (std::string(name) != "#32770" || !IsWindowVisible(hwnd)) return TRUE;
    *reinterpret_cast<HWND*>(found) = hwnd;
    return FALSE;
}

void CALLBACK lookForABox(HWND, UINT, UINT_PTR, DWORD) {
    if (ExpectedMessageBox::anyExpected()) return;
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), findBox, reinterpret_cast<LPARAM>(&box));
    if (!box) return;
    char caption[256] = {};
    char text[1024] = {};
    GetWindowTextA(box, caption, sizeof caption);
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // the message's static
    ADD_FAILURE() << "a message box that no test expects: \"" << caption << "\" " << text;
    EndDialog(box, IDOK);
}

}  // namespace

MessageBoxWatchdog::MessageBoxWatchdog() : timer_(SetTimer(nullptr, 0, 100, lookForABox)) {}

MessageBoxWatchdog::~MessageBoxWatchdog() { KillTimer(nullptr, timer_); }

}  // namespace wintest
