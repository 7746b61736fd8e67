#include "app/Logo.h"

#include <array>

namespace {

constexpr int Size = 89;

std::uint32_t rgb(int r, int g, int b) {
    return (static_cast<std::uint32_t>(r) << 16) | (static_cast<std::uint32_t>(g) << 8) |
           static_cast<std::uint32_t>(b);
}

bool inside(double x, double y, int left, int top, int right, int bottom) {
    return x >= left && x < right && y >= top && y < bottom;
}

// Entries 0-127: a blue gradient for the background; 128 onward: the
// diskette's few flat colours.
enum : std::uint8_t { Body = 128, Shutter = 129, Label = 130, Hole = 131, Edge = 132, Stripe = 133 };

std::array<std::uint32_t, 256> palette() {
    std::array<std::uint32_t, 256> p{};
    for (int i = 0; i < 128; ++i) p[static_cast<std::size_t>(i)] = rgb(i, 64 + i, 255);
    p[Body] = rgb(32, 32, 40);
    p[Shutter] = rgb(176, 180, 188);
    p[Label] = rgb(250, 250, 240);
    p[Hole] = rgb(16, 16, 20);
    p[Edge] = rgb(8, 8, 8);
    p[Stripe] = rgb(220, 40, 40);
    return p;
}

// The palette entry at a point of the picture, in its own pixels (0 to 89),
// so that it can be drawn at any size.
std::uint8_t entryAt(double x, double y) {
    std::uint8_t c = static_cast<std::uint8_t>(static_cast<int>((x + y) * 127 / (2 * (Size - 1))));
    const bool body = inside(x, y, 12, 12, 77, 77) && !(x >= 70 && y < 19 && x - 70 > y - 12);
    if (!body) return c;
    c = Body;
    if (x < 13 || x >= 76 || y < 13 || y >= 76) c = Edge;
    if (inside(x, y, 28, 12, 62, 36)) c = Shutter;
    if (inside(x, y, 50, 16, 57, 32)) c = Hole;
    if (inside(x, y, 20, 44, 69, 77)) c = Label;
    if (inside(x, y, 20, 48, 69, 51)) c = Stripe;
    if (inside(x, y, 24, 58, 65, 59) || inside(x, y, 24, 66, 60, 67)) c = Hole;
    return c;
}

}  // namespace

forms::Picture MakeLogo() {
    forms::Picture p;
    p.width = Size;
    p.height = Size;
    p.palette = palette();
    p.pixels.resize(static_cast<std::size_t>(Size * Size));
    for (int y = 0; y < Size; ++y)
        for (int x = 0; x < Size; ++x) p.pixels[static_cast<std::size_t>(y * Size + x)] = entryAt(x, y);
    return p;
}

std::uint32_t LogoColorAt(double x, double y) {
    static const std::array<std::uint32_t, 256> colours = palette();
    return colours[entryAt(x, y)];
}
