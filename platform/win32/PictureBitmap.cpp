#include "platform/win32/PictureBitmap.h"

#include <cstring>

namespace win32 {

HBITMAP makeBitmap(const forms::Picture& picture) {
    if (!picture.drawable()) return nullptr;
    const auto width = static_cast<std::size_t>(picture.width);
    const auto height = static_cast<std::size_t>(picture.height);

    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[256];
    } info{};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = picture.width;
    info.header.biHeight = -picture.height;  // top row first, as the model stores it
    info.header.biPlanes = 1;
    info.header.biBitCount = 8;
    info.header.biCompression = BI_RGB;
    info.header.biClrUsed = 256;
    for (std::size_t i = 0; i < 256; ++i) {
        const std::uint32_t rgb = picture.palette[i];
        info.colors[i].rgbRed = static_cast<BYTE>((rgb >> 16) & 0xFF);
        info.colors[i].rgbGreen = static_cast<BYTE>((rgb >> 8) & 0xFF);
        info.colors[i].rgbBlue = static_cast<BYTE>(rgb & 0xFF);
    }

    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap || !bits) return bitmap;
    // DIB rows are padded to four bytes.
    const std::size_t stride = (width + 3) & ~std::size_t{3};
    auto* rows = static_cast<std::uint8_t*>(bits);
    for (std::size_t y = 0; y < height; ++y) std::memcpy(rows + y * stride, picture.pixels.data() + y * width, width);
    return bitmap;
}

}  // namespace win32
