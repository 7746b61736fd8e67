#include "tests/win32/ModalWatchdog.h"

#include "platform/windows/WinApi.h"

namespace wintest {

ModalWatchdog::ModalWatchdog(HWND window, std::chrono::milliseconds timeout) {
    thread_ = std::thread([this, window, timeout] {
        std::unique_lock<std::mutex> lock(mutex_);
        if (done_.wait_for(lock, timeout, [this] { return finished_; })) return;
        fired_ = true;
        // Dispatched by the menu loop to the owner, whose default handling
        // closes the menu; Esc closes what is left.
        PostMessageA(window, WM_CANCELMODE, 0, 0);
        for (int i = 0; i < 3; ++i) PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
    });
}

ModalWatchdog::~ModalWatchdog() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        finished_ = true;
    }
    done_.notify_one();
    thread_.join();
}

}  // namespace wintest
