#include "platform/qt/TimerBinding.h"

namespace qtui {

TimerBinding::TimerBinding(forms::Timer& timer) : timer_(timer) {
    native_.setObjectName(QString::fromStdString(timer.name()));
    QObject::connect(&native_, &QTimer::timeout, &native_, [this] { timer_.tick(); });
    id_ = timer_.observe([this](forms::Prop p) {
        if (p == forms::Prop::TimerState) apply();
    });
    apply();
}

TimerBinding::~TimerBinding() { timer_.unobserve(id_); }

void TimerBinding::apply() {
    if (!timer_.running()) {
        native_.stop();
        return;
    }
    // A new interval counts from now, as the framework's timer does.
    if (!native_.isActive() || native_.interval() != timer_.interval()) native_.start(timer_.interval());
}

}  // namespace qtui
