#include "tests/win32/Processes.h"

#include "platform/windows/WinApi.h"

namespace wintest {

bool waitForExit(std::intptr_t process, unsigned milliseconds) {
    return WaitForSingleObject(reinterpret_cast<HANDLE>(process), milliseconds) == WAIT_OBJECT_0;
}

unsigned long exitCode(std::intptr_t process) {
    DWORD code = 0;
    GetExitCodeProcess(reinterpret_cast<HANDLE>(process), &code);
    return code;
}

bool waitUntil(const std::function<bool()>& condition, Milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= end) return condition();
        // Another process is doing the work; give it the processor.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return true;
}

}  // namespace wintest
