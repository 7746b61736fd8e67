// The program's version as the feedback mail's subject writes it: a floating-
// point number turned into text at run time, in the user's locale.
#pragma once

#include <string>

#include "platform/shell.h"
#include "product/Product.h"

namespace feedback {

inline constexpr double ProgramVersion = product::VersionNumber;

// The framework's general float-to-text: at most 15 significant digits,
// trailing zeros and a bare decimal separator dropped, scientific form
// ("1.5E-7", "1E20") only for very small or very large magnitudes.
std::string FloatToText(double value, char decimalSeparator);

// ProgramVersion with the user's current decimal separator: "1.32" or "1,32".
std::string VersionText(sys::Locale& locale);

}  // namespace feedback
