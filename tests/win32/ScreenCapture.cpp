#include "tests/win32/ScreenCapture.h"

#include <algorithm>

#include "tests/win32/TestFiles.h"

namespace wintest {

namespace {

std::uint32_t toPixel(COLORREF c) {
    return (static_cast<std::uint32_t>(GetRValue(c)) << 16) | (static_cast<std::uint32_t>(GetGValue(c)) << 8) |
           GetBValue(c);
}

void put(Bytes& out, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>((v >> (8 * i)) & 0xFF));
}

}  // namespace

bool Picture::contains(COLORREF color) const {
    return std::find(pixels.begin(), pixels.end(), toPixel(color)) != pixels.end();
}

COLORREF Picture::at(int x, int y) const {
    const std::uint32_t p = pixels[static_cast<std::size_t>(y * width + x)];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

Picture captureWindow(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    Picture picture;
    picture.width = r.right - r.left;
    picture.height = r.bottom - r.top;
    if (picture.width <= 0 || picture.height <= 0) return picture;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = -picture.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, picture.width, picture.height, screen, r.left, r.top, SRCCOPY);
    GdiFlush();
    const auto* source = static_cast<const std::uint32_t*>(bits);
    picture.pixels.assign(source, source + static_cast<std::size_t>(picture.width) * picture.height);
    for (std::uint32_t& p : picture.pixels) p &= 0x00FFFFFF;
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return picture;
}

bool saveBitmap(const Picture& picture, const std::string& path) {
    const int stride = (picture.width * 3 + 3) & ~3;
    const auto imageBytes = static_cast<std::uint32_t>(stride * picture.height);
    Bytes file;
    file.push_back('B');
    file.push_back('M');
    put(file, 14 + 40 + imageBytes, 4);
    put(file, 0, 4);
    put(file, 14 + 40, 4);
    put(file, 40, 4);
    put(file, static_cast<std::uint32_t>(picture.width), 4);
    put(file, static_cast<std::uint32_t>(picture.height), 4);  // bottom row first
    put(file, 1, 2);
    put(file, 24, 2);
    put(file, 0, 4);
    put(file, imageBytes, 4);
    put(file, 3780, 4);  // 96 DPI
    put(file, 3780, 4);
    put(file, 0, 4);
    put(file, 0, 4);
    for (int y = picture.height - 1; y >= 0; --y) {
        for (int x = 0; x < picture.width; ++x)
            put(file, picture.pixels[static_cast<std::size_t>(y * picture.width + x)], 3);
        for (int pad = picture.width * 3; pad < stride; ++pad) file.push_back(0);
    }
    return writeFile(path, file);
}

}  // namespace wintest
