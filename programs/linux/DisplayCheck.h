// Whether Qt has somewhere to draw, decided before QApplication exists: Qt
// aborts when it cannot open its platform, and a user without a display
// deserves a sentence instead.
#pragma once

#include <functional>

namespace linuxprogram {

// Reads one environment variable; null when it is not set.
using EnvironmentLookup = std::function<const char*(const char*)>;

// An X display, a Wayland display, or a Qt platform chosen by the user.
bool displayAvailable(const EnvironmentLookup& env);

inline constexpr const char* NoDisplayMessage = "dorvane-shell: no display; try: xvfb-run ./run.sh";
// A display named but not there, or a platform Qt cannot open:
// NoDisplayPrefix, the reason in brackets, NoDisplayAdvice.
inline constexpr const char* NoDisplayPrefix = "dorvane-shell: no display Qt can open";
inline constexpr const char* NoDisplayAdvice = "; try: xvfb-run ./run.sh";

}  // namespace linuxprogram
