// The Linux services bundled for the start-up function.
#pragma once

#include <string>
#include <utility>

#include "platform/posix/PosixKernel.h"
#include "platform/posix/PosixLocale.h"
#include "platform/posix/PosixShell.h"
#include "platform/services.h"

namespace posix {

struct PosixServices {
    // `driveA`, when not empty, names drive A:'s target (see PosixKernel).
    explicit PosixServices(sys::Diagnostics& sink = sys::silentDiagnostics(), std::string driveA = {})
        : kernel(sink, std::move(driveA)), diagnostics(sink) {}

    PosixKernel kernel;
    PosixShell shell;
    PosixLocale locale;
    sys::Diagnostics& diagnostics;

    sys::Services services() { return {kernel, shell, locale, diagnostics}; }
};

}  // namespace posix
