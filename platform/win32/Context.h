// What every window of the renderer shares: the module, the screen's DPI,
// the font and brush caches.
#pragma once

#include <string>

#include "platform/win32/Compat.h"
#include "platform/win32/Look.h"

namespace win32 {

struct Context {
    Context(HINSTANCE module, Fallbacks forced) : instance(module), compat(forced), dpi(Dpi::ofScreen()), fonts(dpi) {}

    // The extent of a caption in a font on this screen, in the model's
    // pixels: the widest line, one text height per line (an empty caption
    // is one line high).
    forms::Size measure(const forms::Font& font, const std::string& caption);

    HINSTANCE instance;
    Compat compat;
    Dpi dpi;
    Fonts fonts;
    Brushes brushes;
};

}  // namespace win32
