#include "programs/linux/DisplayCheck.h"

namespace linuxprogram {

bool displayAvailable(const EnvironmentLookup& env) {
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = env(name);
        if (value && *value) return true;
    }
    return false;
}

}  // namespace linuxprogram
