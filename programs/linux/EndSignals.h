// SIGTERM, SIGINT and SIGHUP (a logout, Ctrl+C, a closed terminal) end the
// program as they always have, except while a run holds the loop: killed
// there, the program would leave a half-written diskette without a word.
// The signals are blocked and read from a signalfd in the event loop instead;
// one that comes during a run ends the program once the run is over, with
// one line on standard error saying so.
#pragma once

#include <QSocketNotifier>
#include <memory>

#include "platform/forms/Application.h"

namespace linuxprogram {

class EndSignals {
public:
    // Blocks the signals in this thread and in every thread started after
    // it: build it before QApplication starts Qt's threads.
    EndSignals();
    ~EndSignals();
    EndSignals(const EndSignals&) = delete;
    EndSignals& operator=(const EndSignals&) = delete;

    // Reads them in Qt's event loop from now on; `app` tells whether a run
    // holds the loop.
    void watch(forms::Application& app);
    // Before the application goes.
    void unwatch() { notifier_.reset(); }

private:
    int fd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace linuxprogram
