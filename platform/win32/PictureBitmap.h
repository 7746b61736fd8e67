// The model's 8-bit palette picture as a GDI bitmap.
#pragma once

#include "platform/forms/Controls.h"
#include "platform/windows/WinApi.h"

namespace win32 {

// A 256-colour DIB section holding the picture; null for an empty picture.
// The caller deletes it.
HBITMAP makeBitmap(const forms::Picture& picture);

}  // namespace win32
