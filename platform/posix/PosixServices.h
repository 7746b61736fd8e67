// The Linux services bundled for the start-up function.
#pragma once

#include "platform/posix/PosixKernel.h"
#include "platform/posix/PosixLocale.h"
#include "platform/posix/PosixShell.h"
#include "platform/services.h"

namespace posix {

struct PosixServices {
    PosixKernel kernel;
    PosixShell shell;
    PosixLocale locale;

    sys::Services services() { return {kernel, shell, locale}; }
};

}  // namespace posix
