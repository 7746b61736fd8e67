// The keyboard (Tab) order of a form: within each parent, children by their
// tab order (those without one after the others, in creation order); a
// container takes its place in its parent's order with its own children.
#pragma once

#include <vector>

namespace forms {

class Control;

std::vector<Control*> keyboardOrder(const Control& root);

}  // namespace forms
