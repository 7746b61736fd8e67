// DorvaneShell.exe: the Windows program. The forms on native controls, the
// system services as the real Win32 calls, and the same start-up function as
// every build.
#include "app/Startup.h"
#include "platform/win32/Win32Backend.h"
#include "platform/windows/Win32Kernel.h"
#include "platform/windows/Win32Shell.h"

int main() {
    win32::Win32Kernel kernel;
    win32::Win32Shell shell;
    win32::Win32Locale locale;
    sys::Services services{kernel, shell, locale};

    win32::Win32Backend backend;
    forms::Application app(backend);
    return DorvaneMain(app, services);
}
