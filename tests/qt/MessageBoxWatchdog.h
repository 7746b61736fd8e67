// A message box that no test waits for would hold the suite in its own event
// loop until someone answers it. The watchdog looks for an active modal
// window while events are processed; unless a test declared that it expects
// one, it fails the running test at once and closes the window.
#pragma once

#include <QTimer>

namespace qttest {

class MessageBoxWatchdog {
public:
    MessageBoxWatchdog();
    MessageBoxWatchdog(const MessageBoxWatchdog&) = delete;
    MessageBoxWatchdog& operator=(const MessageBoxWatchdog&) = delete;

private:
    QTimer poll_;
};

// While one exists, modal windows belong to the test that made it.
class ExpectedMessageBox {
public:
    ExpectedMessageBox();
    ~ExpectedMessageBox();
    ExpectedMessageBox(const ExpectedMessageBox&) = delete;
    ExpectedMessageBox& operator=(const ExpectedMessageBox&) = delete;
};

}  // namespace qttest
