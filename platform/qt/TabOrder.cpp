#include "platform/qt/TabOrder.h"

#include <algorithm>
#include <climits>

namespace qtui {

namespace {

void collect(const forms::Control& parent, std::vector<forms::Control*>& out) {
    std::vector<forms::Control*> children = parent.children();
    std::stable_sort(children.begin(), children.end(), [](const forms::Control* a, const forms::Control* b) {
        const int ka = a->tabOrder < 0 ? INT_MAX : a->tabOrder;
        const int kb = b->tabOrder < 0 ? INT_MAX : b->tabOrder;
        return ka < kb;
    });
    for (forms::Control* c : children) {
        if (c->tabStop) out.push_back(c);
        if (!c->children().empty()) collect(*c, out);
    }
}

}  // namespace

std::vector<forms::Control*> keyboardOrder(const forms::Control& root) {
    std::vector<forms::Control*> order;
    collect(root, order);
    return order;
}

}  // namespace qtui
