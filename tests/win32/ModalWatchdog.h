// Ends a modal loop of the test's thread (a menu opened from the keyboard, a
// message box) that is still running when the time is up, so that a failing
// test fails instead of hanging the run.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

struct HWND__;

namespace wintest {

class ModalWatchdog {
public:
    // On expiry, asks `window` (the menu's or box's owner) to cancel its modes.
    ModalWatchdog(HWND__* window, std::chrono::milliseconds timeout);
    ~ModalWatchdog();
    ModalWatchdog(const ModalWatchdog&) = delete;
    ModalWatchdog& operator=(const ModalWatchdog&) = delete;
    bool fired() const { return fired_; }

private:
    std::mutex mutex_;
    std::condition_variable done_;
    bool finished_ = false;
    bool fired_ = false;
    std::thread thread_;
};

}  // namespace wintest
