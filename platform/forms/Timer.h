// A message-loop timer: the renderer runs it while the model says it runs
// and ticks it each time the interval has passed.
#pragma once

#include <functional>
#include <string>

#include "platform/forms/Observable.h"

namespace forms {

class Form;

class Timer : public Observable {
public:
    Timer(Form& form, std::string name) : form_(form), name_(std::move(name)) {}
    const std::string& name() const { return name_; }
    bool enabled() const { return enabled_; }
    void setEnabled(bool e);
    int interval() const { return interval_; }
    void setInterval(int ms);
    // Enabled, with an interval: an interval of 0 stops the timer.
    bool running() const { return enabled_ && interval_ > 0; }

    std::function<void()> onTimer;
    // The interval has passed (ignored while disabled).
    void tick();

private:
    Form& form_;
    std::string name_;
    bool enabled_ = true;
    int interval_ = 1000;
};

}  // namespace forms
