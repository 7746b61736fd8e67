// The system services the forms reach, bundled so that each backend (and
// each test) hands one object to the start-up function.
#pragma once

#include "platform/diagnostics.h"
#include "platform/kernel.h"
#include "platform/shell.h"

namespace sys {

struct Services {
    Kernel& kernel;
    Shell& shell;
    Locale& locale;
    // Silent unless the program gives its user a place to read causes.
    Diagnostics& diagnostics = silentDiagnostics();
};

}  // namespace sys
