// Pictures of windows as the screen shows them, frames included, saved as
// BMP files for the documentation.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/windows/WinApi.h"

namespace wintest {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, top row first

    bool operator==(const Picture&) const = default;
    bool contains(COLORREF color) const;
    // The colour at a point of the picture.
    COLORREF at(int x, int y) const;
};

// What the screen shows where the window is.
Picture captureWindow(HWND window);
// 24-bit BMP.
bool saveBitmap(const Picture& picture, const std::string& path);

}  // namespace wintest
