// The Qt suite's watchdog (see tests/support/ExpectedMessageBox.h): it looks
// for an active modal window while events are processed; unless a test
// expects one, it fails the running test at once and closes the window.
#pragma once

#include <QTimer>

#include "tests/support/ExpectedMessageBox.h"

namespace qttest {

class MessageBoxWatchdog {
public:
    MessageBoxWatchdog();
    MessageBoxWatchdog(const MessageBoxWatchdog&) = delete;
    MessageBoxWatchdog& operator=(const MessageBoxWatchdog&) = delete;

private:
    QTimer poll_;
};

using testsupport::ExpectedMessageBox;

}  // namespace qttest
