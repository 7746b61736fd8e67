// The Windows-side suite's watchdog (see tests/support/ExpectedMessageBox.h):
// a thread timer, so that a message box's own modal loop runs it; unless a
// test expects a box, it fails the running test at once and closes the box.
#pragma once

#include <cstdint>

#include "tests/support/ExpectedMessageBox.h"

namespace wintest {

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
