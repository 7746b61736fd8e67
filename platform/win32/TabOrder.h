// The keyboard order of a form, from the model alone: within each parent its
// children by tab order (those without one after the others, in creation
// order), a container taking its place with its own children. The radio
// buttons of one parent form a group that is a single stop: its checked
// button, else its first; the arrow keys move within the group.
#pragma once

#include <vector>

#include "platform/forms/Controls.h"

namespace win32 {

// The keyboard can put the focus on it now.
bool focusable(const forms::Control& control);

std::vector<forms::Control*> tabStops(const forms::Control& root);

// The stop after (or before) `from`, wrapping; the first (or last) stop when
// `from` is none of them. Null when the form has no stop at all.
forms::Control* nextTabStop(const forms::Control& root, const forms::Control* from, bool backwards);

// The next (or previous) focusable button of `from`'s group, wrapping.
forms::RadioButton* nextRadio(const forms::RadioButton& from, bool backwards);

}  // namespace win32
