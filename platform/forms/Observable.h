// A list of property observers. Renderers observe the model; a change that a
// renderer writes back from its own widget names that renderer's id as its
// origin, so it is not echoed back to it.
#pragma once

#include <functional>
#include <utility>
#include <vector>

#include "platform/forms/Types.h"

namespace forms {

using ObserverId = int;
constexpr ObserverId FromProgram = 0;

class Observable {
public:
    using Observer = std::function<void(Prop)>;

    ObserverId observe(Observer fn) {
        observers_.emplace_back(++lastId_, std::move(fn));
        return lastId_;
    }
    void unobserve(ObserverId id) { std::erase_if(observers_, [id](const auto& o) { return o.first == id; }); }

protected:
    Observable() = default;
    ~Observable() = default;
    Observable(const Observable&) = delete;
    Observable& operator=(const Observable&) = delete;

    void notify(Prop prop, ObserverId origin = FromProgram) {
        // Copy: an observer may add or remove observers while it runs.
        auto list = observers_;
        for (auto& [id, fn] : list)
            if (id != origin) fn(prop);
    }

private:
    std::vector<std::pair<ObserverId, Observer>> observers_;
    ObserverId lastId_ = 0;
};

}  // namespace forms
