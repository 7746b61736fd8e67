#include "platform/forms/Contrast.h"

#include <algorithm>
#include <cmath>

namespace forms {

namespace {

double channel(std::uint8_t value) {
    const double c = value / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(Color c) {
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

std::uint8_t mix(std::uint8_t from, std::uint8_t to, double t) {
    return static_cast<std::uint8_t>(std::lround(from + (to - from) * t));
}

constexpr double Readable = 3.0, Aimed = 4.5;

}  // namespace

double contrastRatio(Color a, Color b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Color readableOn(Color text, Color back) {
    if (contrastRatio(text, back) >= Readable) return text;
    // Towards whichever end has the more room against the background.
    const bool lighten = contrastRatio(clWhite, back) >= contrastRatio(clBlack, back);
    const std::uint8_t end = lighten ? 255 : 0;
    Color moved = text;
    for (int step = 1; step <= 20 && contrastRatio(moved, back) < Aimed; ++step) {
        const double t = step / 20.0;
        moved = Color::rgb(mix(text.red(), end, t), mix(text.green(), end, t), mix(text.blue(), end, t));
    }
    return moved;
}

}  // namespace forms
