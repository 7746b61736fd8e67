#include "tests/win32/MessageBoxWatchdog.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/windows/WinApi.h"

namespace wintest {
namespace {

BOOL CALLBACK findBox(HWND hwnd, LPARAM found) {
    char name[16] = {};
    GetClassNameA(hwnd, name, sizeof name);
    if (std::string(name) != "#32770" || !IsWindowVisible(hwnd)) return TRUE;
    *reinterpret_cast<HWND*>(found) = hwnd;
    return FALSE;
}

void CALLBACK lookForABox(HWND, UINT, UINT_PTR, DWORD) {
    if (ExpectedMessageBox::anyExpected()) return;
    HWND box = visibleMessageBox(GetCurrentThreadId());
    if (!box) return;
    ADD_FAILURE() << "a message box that no test expects: \"" << boxCaption(box) << "\" " << boxMessage(box);
    EndDialog(box, IDOK);
}

}  // namespace

HWND visibleMessageBox(unsigned long thread) {
    HWND box = nullptr;
    EnumThreadWindows(thread, findBox, reinterpret_cast<LPARAM>(&box));
    return box;
}

std::string boxCaption(HWND box) {
    char caption[256] = {};
    GetWindowTextA(box, caption, sizeof caption);
    return caption;
}

std::string boxMessage(HWND box) {
    char text[1024] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // the message's static
    return text;
}

MessageBoxWatchdog::MessageBoxWatchdog() : timer_(SetTimer(nullptr, 0, 100, lookForABox)) {}

MessageBoxWatchdog::~MessageBoxWatchdog() { KillTimer(nullptr, timer_); }

}  // namespace wintest
