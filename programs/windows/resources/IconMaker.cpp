// icon-maker: writes the program's icon file, the about box's diskette
// picture at the sizes Windows asks for (48, 32 and 16 pixels), 256 colours
// with the picture's own palette. Runs on the build machine.
//
//   icon-maker OUTPUT.ico
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <vector>

#include "app/Logo.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void put16(Bytes& out, unsigned v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

void put32(Bytes& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

int channel(std::uint32_t rgb, int shift) { return static_cast<int>((rgb >> shift) & 0xFF); }

// The palette entry closest to an RGB colour.
std::uint8_t nearest(const forms::Picture& p, int r, int g, int b) {
    std::size_t best = 0;
    long bestDistance = -1;
    for (std::size_t i = 0; i < p.palette.size(); ++i) {
        const long dr = channel(p.palette[i], 16) - r;
        const long dg = channel(p.palette[i], 8) - g;
        const long db = channel(p.palette[i], 0) - b;
        const long d = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return static_cast<std::uint8_t>(best);
}

// The picture shrunk to size x size: each target pixel averages the source
// pixels it covers, then takes the nearest palette colour.
std::vector<std::uint8_t> shrink(const forms::Picture& p, int size) {
    std::vector<std::uint8_t> out(static_cast<std::size_t>(size * size));
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const int x0 = x * p.width / size, x1 = std::max(x0 + 1, (x + 1) * p.width / size);
            const int y0 = y * p.height / size, y1 = std::max(y0 + 1, (y + 1) * p.height / size);
            long r = 0, g = 0, b = 0, n = 0;
            for (int sy = y0; sy < y1; ++sy) {
                for (int sx = x0; sx < x1; ++sx) {
                    const std::uint32_t c = p.palette[p.pixels[static_cast<std::size_t>(sy * p.width + sx)]];
                    r += channel(c, 16);
                    g += channel(c, 8);
                    b += channel(c, 0);
                    ++n;
                }
            }
            out[static_cast<std::size_t>(y * size + x)] =
                nearest(p, static_cast<int>(r / n), static_cast<int>(g / n), static_cast<int>(b / n));
        }
    }
    return out;
}

// One icon image: header, palette, colour rows bottom-up, and an all-opaque
// mask; rows padded to four bytes.
Bytes iconImage(const forms::Picture& p, int size) {
    const std::vector<std::uint8_t> pixels = shrink(p, size);
    const auto colourStride = static_cast<std::size_t>((size + 3) & ~3);
    const auto maskStride = static_cast<std::size_t>(((size + 31) / 32) * 4);
    Bytes out;
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(size));
    put32(out, static_cast<std::uint32_t>(size * 2));  // colour rows and mask rows
    put16(out, 1);
    put16(out, 8);
    put32(out, 0);
    put32(out, static_cast<std::uint32_t>((colourStride + maskStride) * static_cast<std::size_t>(size)));
    put32(out, 0);
    put32(out, 0);
    put32(out, 256);
    put32(out, 0);
    for (std::uint32_t rgb : p.palette) {
        out.push_back(static_cast<std::uint8_t>(channel(rgb, 0)));
        out.push_back(static_cast<std::uint8_t>(channel(rgb, 8)));
        out.push_back(static_cast<std::uint8_t>(channel(rgb, 16)));
        out.push_back(0);
    }
    for (int y = size - 1; y >= 0; --y) {
        const auto row = pixels.begin() + y * size;
        out.insert(out.end(), row, row + size);
        out.insert(out.end(), colourStride - static_cast<std::size_t>(size), 0);
    }
    out.insert(out.end(), maskStride * static_cast<std::size_t>(size), 0);
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: icon-maker OUTPUT.ico\n");
        return 2;
    }
    const forms::Picture logo = MakeLogo();
    const std::array<int, 3> sizes{48, 32, 16};
    std::vector<Bytes> images;
    for (int size : sizes) images.push_back(iconImage(logo, size));

    Bytes file;
    put16(file, 0);
    put16(file, 1);  // an icon
    put16(file, static_cast<unsigned>(images.size()));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        file.push_back(static_cast<std::uint8_t>(sizes[i]));
        file.push_back(static_cast<std::uint8_t>(sizes[i]));
        file.push_back(0);  // 256 colours
        file.push_back(0);
        put16(file, 1);
        put16(file, 8);
        put32(file, static_cast<std::uint32_t>(images[i].size()));
        put32(file, offset);
        offset += static_cast<std::uint32_t>(images[i].size());
    }
    for (const Bytes& image : images) file.insert(file.end(), image.begin(), image.end());

    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "icon-maker: can't write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
