// A QTimer that runs while the model's timer is enabled and ticks it.
#pragma once

#include <QTimer>
#include <functional>

#include "platform/forms/Timer.h"

namespace qtui {

class TimerBinding {
public:
    // `live` answers false once the model may no longer be fed.
    TimerBinding(forms::Timer& timer, std::function<bool()> live);
    const QTimer& native() const { return native_; }

private:
    void apply();

    forms::Timer& timer_;
    QTimer native_;
};

}  // namespace qtui
