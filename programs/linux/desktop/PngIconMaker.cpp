// png-icon-maker: writes the program's icon for the desktop's icon theme, the
// about box's diskette drawn at each size (16 to 256 pixels) rather than
// scaled from its 89 pixels: each pixel averages 4 x 4 points of the drawing.
// PNG with uncompressed deflate blocks, so it needs no library. Runs on the
// build machine.
//
//   png-icon-maker FOLDER     writes FOLDER/16.png ... FOLDER/256.png
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "app/Logo.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::array<int, 6> Sizes{16, 32, 48, 64, 128, 256};
constexpr int Samples = 4;

void put32(Bytes& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

std::uint32_t crc32(const std::uint8_t* data, std::size_t n) {
    std::uint32_t c = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < n; ++i) {
        c ^= data[i];
        for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    }
    return c ^ 0xFFFFFFFFu;
}

void chunk(Bytes& png, const char* type, const Bytes& data) {
    put32(png, static_cast<std::uint32_t>(data.size()));
    Bytes typed(type, type + 4);
    typed.insert(typed.end(), data.begin(), data.end());
    png.insert(png.end(), typed.begin(), typed.end());
    put32(png, crc32(typed.data(), typed.size()));
}

// A zlib stream of stored (uncompressed) deflate blocks.
Bytes zlibStored(const Bytes& raw) {
    Bytes out{0x78, 0x01};
    std::size_t at = 0;
    do {
        const std::size_t n = std::min<std::size_t>(65535, raw.size() - at);
        const bool last = at + n == raw.size();
        out.push_back(last ? 1 : 0);
        out.push_back(static_cast<std::uint8_t>(n & 0xFF));
        out.push_back(static_cast<std::uint8_t>(n >> 8));
        out.push_back(static_cast<std::uint8_t>(~n & 0xFF));
        out.push_back(static_cast<std::uint8_t>((~n >> 8) & 0xFF));
        out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(at),
                   raw.begin() + static_cast<std::ptrdiff_t>(at + n));
        at += n;
    } while (at < raw.size());
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    put32(out, (b << 16) | a);
    return out;
}

Bytes iconPng(int size) {
    Bytes rows;
    for (int y = 0; y < size; ++y) {
        rows.push_back(0);  // no filter
        for (int x = 0; x < size; ++x) {
            std::array<unsigned, 3> sum{};
            for (int sy = 0; sy < Samples; ++sy)
                for (int sx = 0; sx < Samples; ++sx) {
                    const double u = (x + (sx + 0.5) / Samples) * 89.0 / size;
                    const double v = (y + (sy + 0.5) / Samples) * 89.0 / size;
                    const std::uint32_t c = LogoColorAt(u, v);
                    sum[0] += (c >> 16) & 0xFF;
                    sum[1] += (c >> 8) & 0xFF;
                    sum[2] += c & 0xFF;
                }
            for (unsigned s : sum) rows.push_back(static_cast<std::uint8_t>(s / (Samples * Samples)));
        }
    }
    Bytes png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes header;
    put32(header, static_cast<std::uint32_t>(size));
    put32(header, static_cast<std::uint32_t>(size));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB, no interlace
    chunk(png, "IHDR", header);
    chunk(png, "IDAT", zlibStored(rows));
    chunk(png, "IEND", {});
    return png;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: png-icon-maker FOLDER\n");
        return 2;
    }
    for (int size : Sizes) {
        const std::string path = std::string(argv[1]) + "/" + std::to_string(size) + ".png";
        const Bytes png = iconPng(size);
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
        if (!out) {
            std::fprintf(stderr, "png-icon-maker: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
