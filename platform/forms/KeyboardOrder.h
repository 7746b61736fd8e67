// The keyboard (Tab) order of a form: within each parent, children by their
// tab order (those without one after the others, in creation order); a
// container takes its place in its parent's order with its own children.
// Tab and the arrow keys move along it.
#pragma once

#include <vector>

namespace forms {

class Control;

std::vector<Control*> keyboardOrder(const Control& root);

// Tab's stops within `root`: the keyboard order of the controls that can take
// the focus, a radio group (the radio buttons of one parent) as one stop, as
// in a dialog: its checked button, else its first one that can take the
// focus.
std::vector<Control*> tabStops(const Control& root);
// The stop Tab (or Shift+Tab) moves to from `from`, wrapping around; the
// first (or last) stop when `from` is none. From a control that is no stop
// (hidden or disabled since), the stop after (or before) it in keyboard
// order.
Control* nextTabStop(const Control& root, const Control* from, bool backwards);
// The radio button an arrow key moves to within `from`'s group, wrapping
// around; none when the group has no other button that can take the focus.
Control* nextInRadioGroup(const Control& root, const Control& from, bool backwards);

}  // namespace forms
