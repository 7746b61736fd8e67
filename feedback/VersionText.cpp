#include "feedback/VersionText.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace feedback {

std::string FloatToText(double value, char decimalSeparator) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";

    // General format with precision 15 chooses fixed or scientific form at the
    // same magnitudes as the framework and drops trailing zeros; only the
    // exponent's spelling ("e+20", "e-07") and the separator differ. printf's
    // conversion is already in every build, so this adds no tables to the
    // static Windows executables.
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    const std::string raw(buffer);
    const std::size_t e = raw.find('e');
    const std::string mantissa = raw.substr(0, e);

    // The C library writes its own locale's radix, which may be more than one
    // byte: everything between the integer and the fraction digits is it.
    std::string text;
    std::size_t i = 0;
    if (i < mantissa.size() && mantissa[i] == '-') text += mantissa[i++];
    while (i < mantissa.size() && std::isdigit(static_cast<unsigned char>(mantissa[i]))) text += mantissa[i++];
    if (i < mantissa.size()) {
        while (i < mantissa.size() && !std::isdigit(static_cast<unsigned char>(mantissa[i]))) ++i;
        text += decimalSeparator;
        text += mantissa.substr(i);
    }
    if (e != std::string::npos) {
        text += 'E';
        text += std::to_string(std::atoi(raw.c_str() + e + 1));
    }
    return text;
}

std::string VersionText(sys::Locale& locale) { return FloatToText(ProgramVersion, locale.DecimalSeparator()); }

}  // namespace feedback
