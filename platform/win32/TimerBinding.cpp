#include "platform/win32/TimerBinding.h"

namespace win32 {

TimerBinding::TimerBinding(forms::Timer& timer, HWND window, UINT_PTR id) : timer_(timer), window_(window), id_(id) {
    observer_ = timer_.observe([this](forms::Prop p) {
        if (p == forms::Prop::TimerState) apply();
    });
    apply();
}

TimerBinding::~TimerBinding() {
    timer_.unobserve(observer_);
    KillTimer(window_, id_);
}

// SetTimer on a running id restarts it, so a new interval counts from now.
void TimerBinding::apply() {
    if (timer_.running())
        SetTimer(window_, id_, static_cast<UINT>(timer_.interval()), nullptr);
    else
        KillTimer(window_, id_);
}

}  // namespace win32
