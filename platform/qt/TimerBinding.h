// A QTimer that runs while the model's timer is enabled and ticks it.
#pragma once

#include <QTimer>

#include "platform/forms/Timer.h"

namespace qtui {

class TimerBinding {
public:
    explicit TimerBinding(forms::Timer& timer);
    ~TimerBinding();
    const QTimer& native() const { return native_; }

private:
    void apply();

    forms::Timer& timer_;
    QTimer native_;
    forms::ObserverId id_;
};

}  // namespace qtui
