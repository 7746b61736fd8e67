// A window timer (SetTimer) that runs while the model's timer is enabled;
// the form's window ticks the model's timer on each WM_TIMER of its id.
#pragma once

#include "platform/forms/Timer.h"
#include "platform/windows/WinApi.h"

namespace win32 {

class TimerBinding {
public:
    TimerBinding(forms::Timer& timer, HWND window, UINT_PTR id);
    ~TimerBinding();
    TimerBinding(const TimerBinding&) = delete;
    TimerBinding& operator=(const TimerBinding&) = delete;

private:
    void apply();

    forms::Timer& timer_;
    const HWND window_;
    const UINT_PTR id_;
    forms::ObserverId observer_;
};

}  // namespace win32
