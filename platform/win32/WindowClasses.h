// The window classes the backend registers: one per form (named after the
// form's class, "T" + its name), one for panels, so that a panel is a window
// of its own that clips its children and paints its own background, and one
// for the hidden window that owns the secondary forms.
#pragma once

#include <string>

#include "platform/win32/WinApi.h"

namespace win32 {

inline constexpr const char* PanelClassName = "TPanel";
inline constexpr const char* ApplicationClassName = "TApplication";

// Registers the class once per process; later calls find it registered. A
// form with a dialog border shows no icon in its caption.
void registerFormClass(HINSTANCE instance, const std::string& className, WNDPROC procedure, bool withIcon);
void registerPanelClass(HINSTANCE instance, WNDPROC procedure);
// The hidden window that owns the secondary forms.
void registerApplicationClass(HINSTANCE instance);

}  // namespace win32
