#include "platform/forms/Timer.h"

#include "platform/forms/Application.h"
#include "platform/forms/Form.h"

namespace forms {

void Timer::setEnabled(bool e) {
    if (enabled_ == e) return;
    enabled_ = e;
    notify(Prop::TimerState);
}

void Timer::setInterval(int ms) {
    if (interval_ == ms) return;
    interval_ = ms;
    notify(Prop::TimerState);
}

void Timer::tick() {
    if (enabled_ && onTimer) form_.application().dispatch(onTimer);
}

}  // namespace forms
