#include "app/Logo.h"

namespace {

constexpr int Size = 89;

std::uint32_t rgb(int r, int g, int b) {
    return (static_cast<std::uint32_t>(r) << 16) | (static_cast<std::uint32_t>(g) << 8) |
           static_cast<std::uint32_t>(b);
}

bool inside(int x, int y, int left, int top, int right, int bottom) {
    return x >= left && x < right && y >= top && y < bottom;
}

}  // namespace

forms::Picture MakeLogo() {
    forms::Picture p;
    p.width = Size;
    p.height = Size;
    // Entries 0-127: a blue gradient for the background; 128 onward: the
    // diskette's few flat colours.
    for (int i = 0; i < 128; ++i) p.palette[static_cast<std::size_t>(i)] = rgb(i, 64 + i, 255);
    enum : std::uint8_t { Body = 128, Shutter = 129, Label = 130, Hole = 131, Edge = 132, Stripe = 133 };
    p.palette[Body] = rgb(32, 32, 40);
    p.palette[Shutter] = rgb(176, 180, 188);
    p.palette[Label] = rgb(250, 250, 240);
    p.palette[Hole] = rgb(16, 16, 20);
    p.palette[Edge] = rgb(8, 8, 8);
    p.palette[Stripe] = rgb(220, 40, 40);

    p.pixels.resize(static_cast<std::size_t>(Size * Size));
    for (int y = 0; y < Size; ++y) {
        for (int x = 0; x < Size; ++x) {
            std::uint8_t c = static_cast<std::uint8_t>((x + y) * 127 / (2 * (Size - 1)));
            const bool body = inside(x, y, 12, 12, 77, 77) && !(x >= 70 && y < 19 && x - 70 > y - 12);
            if (body) {
                c = Body;
                if (x == 12 || x == 76 || y == 12 || y == 76) c = Edge;
                if (inside(x, y, 28, 12, 62, 36)) c = Shutter;
                if (inside(x, y, 50, 16, 57, 32)) c = Hole;
                if (inside(x, y, 20, 44, 69, 77)) c = Label;
                if (inside(x, y, 20, 48, 69, 51)) c = Stripe;
                if (inside(x, y, 24, 58, 65, 59) || inside(x, y, 24, 66, 60, 67)) c = Hole;
            }
            p.pixels[static_cast<std::size_t>(y * Size + x)] = c;
        }
    }
    return p;
}
