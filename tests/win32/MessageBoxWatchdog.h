// The Windows-side suite's watchdog (see tests/support/ExpectedMessageBox.h):
// a thread timer, so that a message box's own modal loop runs it; unless a
// test expects a box, it fails the running test at once and closes the box.
#pragma once

#include <cstdint>
#include <string>

#include "tests/support/ExpectedMessageBox.h"

struct HWND__;

namespace wintest {

// The message box that `thread` shows (a visible dialog of the system's
// dialog class), null when it shows none.
HWND__* visibleMessageBox(unsigned long thread);
// A message box's caption and its message.
std::string boxCaption(HWND__* box);
std::string boxMessage(HWND__* box);

class MessageBoxWatchdog {
public:
    // On the thread that owns the tests' windows.
    MessageBoxWatchdog();
    ~MessageBoxWatchdog();
    MessageBoxWatchdog(const MessageBoxWatchdog&) = delete;
    MessageBoxWatchdog& operator=(const MessageBoxWatchdog&) = delete;

private:
    std::uintptr_t timer_;
};

using testsupport::ExpectedMessageBox;

}  // namespace wintest
