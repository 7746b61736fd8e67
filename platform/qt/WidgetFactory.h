// One native widget per control kind, with the control's static look (frame,
// read-only, wrapping, scroll bars, keyboard reach) set once. What changes at
// run time is ControlView's job.
#pragma once

#include <QWidget>

#include "platform/forms/Control.h"

namespace qtui {

QWidget* createWidget(const forms::Control& control, QWidget* parent);

// Labels and pictures take clicks through mouse events; the other kinds have
// a native signal or no click at all.
bool clicksByMouse(forms::Kind kind);

}  // namespace qtui
