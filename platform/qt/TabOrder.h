// The keyboard order of a form: within each parent, children by their tab
// order (those without one after the others, in creation order); a container
// takes its place in its parent's order with its own children.
#pragma once

#include <vector>

#include "platform/forms/Control.h"

namespace qtui {

std::vector<forms::Control*> keyboardOrder(const forms::Control& root);

}  // namespace qtui
