// A message box that no test waits for would hold the test thread in its own
// modal loop until someone answers it. The watchdog is a thread timer, so
// that loop itself runs it: unless a test declared that it expects a box, it
// fails the running test at once and closes the box.
#pragma once

#include <cstdint>

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

// While one exists, message boxes belong to the test that made it.
class ExpectedMessageBox {
public:
    ExpectedMessageBox();
    ~ExpectedMessageBox();
    ExpectedMessageBox(const ExpectedMessageBox&) = delete;
    ExpectedMessageBox& operator=(const ExpectedMessageBox&) = delete;
};

}  // namespace wintest
