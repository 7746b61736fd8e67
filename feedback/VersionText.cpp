#include "feedback/VersionText.h"

#include <charconv>
#include <cmath>

namespace feedback {

std::string FloatToText(double value, char decimalSeparator) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";

    // General format with precision 15 chooses fixed or scientific form at the
    // same magnitudes as the framework and drops trailing zeros; only the
    // exponent's spelling ("e+20", "e-07") and the separator differ.
    char buffer[32];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    std::string text(buffer, ec == std::errc{} ? end : buffer);

    if (const auto e = text.find('e'); e != std::string::npos) {
        int exponent = 0;
        std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(), exponent);
        text = text.substr(0, e) + "E" + std::to_string(exponent);
    }
    if (const auto point = text.find('.'); point != std::string::npos) text[point] = decimalSeparator;
    return text;
}

std::string VersionText(sys::Locale& locale) { return FloatToText(ProgramVersion, locale.DecimalSeparator()); }

}  // namespace feedback
