#include "platform/forms/KeyboardOrder.h"

#include <algorithm>
#include <climits>

#include "platform/forms/Control.h"

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

}  // namespace

std::vector<Control*> keyboardOrder(const Control& root) {
    std::vector<Control*> order;
    collect(root, order);
    return order;
}

}  // namespace forms
