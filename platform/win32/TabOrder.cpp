#include "platform/win32/TabOrder.h"

#include <algorithm>
#include <climits>
#include <cstddef>

namespace win32 {

using forms::Control;
using forms::Kind;
using forms::RadioButton;

namespace {

std::vector<Control*> inKeyboardOrder(const Control& parent) {
    std::vector<Control*> children = parent.children();
    std::stable_sort(children.begin(), children.end(), [](const Control* a, const Control* b) {
        const int ka = a->tabOrder < 0 ? INT_MAX : a->tabOrder;
        const int kb = b->tabOrder < 0 ? INT_MAX : b->tabOrder;
        return ka < kb;
    });
    return children;
}

bool sameGroup(const Control& a, const Control& b) {
    return a.kind() == Kind::RadioButton && b.kind() == Kind::RadioButton && a.parent() == b.parent();
}

// The stop that stands for `c`'s radio group: the checked button, else the
// first focusable one in keyboard order.
Control* groupStop(const Control& anyMember) {
    Control* first = nullptr;
    for (Control* c : inKeyboardOrder(*anyMember.parent())) {
        if (!sameGroup(*c, anyMember) || !focusable(*c)) continue;
        if (static_cast<RadioButton*>(c)->checked()) return c;
        if (!first) first = c;
    }
    return first;
}

void collect(const Control& parent, std::vector<Control*>& out) {
    for (Control* c : inKeyboardOrder(parent)) {
        if (focusable(*c)) {
            if (c->kind() != Kind::RadioButton) {
                out.push_back(c);
            } else if (std::none_of(out.begin(), out.end(), [c](Control* s) { return sameGroup(*s, *c); })) {
                out.push_back(groupStop(*c));
            }
        }
        if (!c->children().empty() && c->visible() && c->enabled()) collect(*c, out);
    }
}

}  // namespace

bool focusable(const Control& control) {
    // The rich-edit boxes are shown only to be read.
    return control.tabStop && control.kind() != Kind::RichEdit && control.reachable();
}

std::vector<Control*> tabStops(const Control& root) {
    std::vector<Control*> stops;
    collect(root, stops);
    return stops;
}

Control* nextTabStop(const Control& root, const Control* from, bool backwards) {
    const std::vector<Control*> stops = tabStops(root);
    if (stops.empty()) return nullptr;
    const auto n = static_cast<std::ptrdiff_t>(stops.size());
    std::ptrdiff_t at = -1;
    for (std::ptrdiff_t i = 0; i < n; ++i) {
        const Control* s = stops[static_cast<std::size_t>(i)];
        if (from && (s == from || sameGroup(*s, *from))) at = i;
    }
    if (at < 0) return backwards ? stops.back() : stops.front();
    const std::ptrdiff_t next = ((backwards ? at - 1 : at + 1) % n + n) % n;
    return stops[static_cast<std::size_t>(next)];
}

RadioButton* nextRadio(const RadioButton& from, bool backwards) {
    std::vector<Control*> group;
    for (Control* c : inKeyboardOrder(*from.parent()))
        if (sameGroup(*c, from) && (c == &from || focusable(*c))) group.push_back(c);
    const auto it = std::find(group.begin(), group.end(), &from);
    if (it == group.end() || group.size() < 2) return nullptr;
    const auto n = static_cast<std::ptrdiff_t>(group.size());
    const std::ptrdiff_t at = it - group.begin();
    const std::ptrdiff_t next = ((backwards ? at - 1 : at + 1) % n + n) % n;
    return static_cast<RadioButton*>(group[static_cast<std::size_t>(next)]);
}

}  // namespace win32
