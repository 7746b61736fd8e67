#include "platform/forms/KeyboardOrder.h"

#include <algorithm>
#include <climits>

#include "platform/forms/Control.h"
#include "platform/forms/Controls.h"

namespace forms {

namespace {

void collect(const Control& parent, std::vector<Control*>& out) {
    std::vector<Control*> children = parent.children();
    std::stable_sort(children.begin(), children.end(), [](const Control* a, const Control* b) {
        const int ka = a->tabOrder < 0 ? INT_MAX : a->tabOrder;
        const int kb = b->tabOrder < 0 ? INT_MAX : b->tabOrder;
        return ka < kb;
    });
    for (Control* c : children) {
        if (c->tabStop) out.push_back(c);
        if (!c->children().empty()) collect(*c, out);
    }
}

bool sameRadioGroup(const Control& a, const Control& b) {
    return a.kind() == Kind::RadioButton && b.kind() == Kind::RadioButton && a.parent() == b.parent();
}

bool checked(const Control& c) {
    return c.kind() == Kind::RadioButton && static_cast<const RadioButton&>(c).checked();
}

// The stop after (or before) `at` in `stops`, wrapping around; the first
// (or last) one when `at` is none of them.
Control* step(const std::vector<Control*>& stops, std::ptrdiff_t at, bool backwards) {
    if (stops.empty()) return nullptr;
    const auto n = static_cast<std::ptrdiff_t>(stops.size());
    if (at < 0) return backwards ? stops.back() : stops.front();
    return stops[static_cast<std::size_t>(((backwards ? at - 1 : at + 1) % n + n) % n)];
}

}  // namespace

std::vector<Control*> keyboardOrder(const Control& root) {
    std::vector<Control*> order;
    collect(root, order);
    return order;
}

std::vector<Control*> tabStops(const Control& root) {
    std::vector<Control*> stops;
    for (Control* c : keyboardOrder(root)) {
        if (!c->canFocus()) continue;
        const auto group = std::find_if(stops.begin(), stops.end(), [c](Control* s) { return sameRadioGroup(*s, *c); });
        if (group == stops.end())
            stops.push_back(c);
        else if (checked(*c) && !checked(**group))
            *group = c;
    }
    return stops;
}

Control* nextTabStop(const Control& root, const Control* from, bool backwards) {
    const std::vector<Control*> stops = tabStops(root);
    const auto stopOf = [&stops](const Control* c) {
        return std::find_if(stops.begin(), stops.end(), [c](Control* s) { return s == c || sameRadioGroup(*s, *c); });
    };
    if (!from) return step(stops, -1, backwards);
    if (const auto at = stopOf(from); at != stops.end()) return step(stops, at - stops.begin(), backwards);
    // From a control that is no stop (any more): the stop that follows (or
    // precedes) it in keyboard order.
    const std::vector<Control*> order = keyboardOrder(root);
    const auto n = static_cast<std::ptrdiff_t>(order.size());
    const auto place = std::find(order.begin(), order.end(), from) - order.begin();
    if (place == n) return step(stops, -1, backwards);
    for (std::ptrdiff_t k = 1; k < n; ++k) {
        const Control* c = order[static_cast<std::size_t>(((backwards ? place - k : place + k) % n + n) % n)];
        if (const auto at = stopOf(c); at != stops.end()) return *at;
    }
    return nullptr;
}

Control* nextInRadioGroup(const Control& root, const Control& from, bool backwards) {
    std::vector<Control*> group;
    for (Control* c : keyboardOrder(root))
        if (sameRadioGroup(*c, from) && (c == &from || c->canFocus())) group.push_back(c);
    if (group.size() < 2) return nullptr;
    return step(group, std::find(group.begin(), group.end(), &from) - group.begin(), backwards);
}

}  // namespace forms
