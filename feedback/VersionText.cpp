#include "feedback/VersionText.h"

#include <cmath>
#include <cstdlib>

namespace feedback {

std::string FloatToText(double value, char decimalSeparator) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    if (value == 0) return std::signbit(value) ? "-0" : "0";

    // General format with precision 15, as printf's "%.15g" writes it: the
    // value rounded to fifteen significant digits, trailing zeros dropped,
    // fixed form for decimal exponents -4 to 14 and scientific form
    // otherwise; these are the framework's magnitudes too, and only the
    // exponent's spelling ("E20", "E-7") and the separator are its own. The
    // digits come from the C library's ecvt rather than from printf: in the
    // Windows program MinGW replaces printf with an engine of its own, some
    // 90 KB, which also needs calls that Windows 95 lacks; ecvt is msvcrt's.
    int point = 0;
    int negative = 0;
    const std::string digits = ecvt(value, 15, &point, &negative);
    const std::size_t used = digits.find_last_not_of('0') + 1;
    const int exponent = point - 1;  // of the rounded value

    std::string text = negative ? "-" : "";
    if (exponent < -4 || exponent >= 15) {
        text += digits[0];
        if (used > 1) {
            text += decimalSeparator;
            text.append(digits, 1, used - 1);
        }
        text += 'E';
        text += std::to_string(exponent);
    } else if (point <= 0) {
        text += '0';
        text += decimalSeparator;
        text.append(static_cast<std::size_t>(-point), '0');
        text.append(digits, 0, used);
    } else {
        const auto whole = static_cast<std::size_t>(point);
        text.append(digits, 0, whole);
        if (used > whole) {
            text += decimalSeparator;
            text.append(digits, whole, used - whole);
        }
    }
    return text;
}

std::string VersionText(sys::Locale& locale) { return FloatToText(ProgramVersion, locale.DecimalSeparator()); }

}  // namespace feedback
