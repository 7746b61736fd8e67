// What every window of the backend shares: the module, the screen's DPI, the
// font and brush caches, and whether the windows still feed the model.
#pragma once

#include "platform/win32/Compat.h"
#include "platform/win32/Look.h"

namespace win32 {

struct Context {
    Context(HINSTANCE module, Fallbacks forced) : instance(module), compat(forced), dpi(Dpi::ofScreen()), fonts(dpi) {}

    HINSTANCE instance;
    Compat compat;
    Dpi dpi;
    Fonts fonts;
    Brushes brushes;
    // Set when the windows are being torn down: from then on no native event
    // reaches the model.
    bool detached = false;
};

}  // namespace win32
