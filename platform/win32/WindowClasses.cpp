#include "platform/win32/WindowClasses.h"

namespace win32 {

namespace {

// The program's icon resource; a build without one (the tests) falls back
// to the system's application icon.
HICON programIcon(HINSTANCE instance, int size) {
    HICON icon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(1), IMAGE_ICON, size, size, 0));
    return icon ? icon : LoadIconA(nullptr, IDI_APPLICATION);
}

void registerClass(HINSTANCE instance, const char* name, WNDPROC procedure, bool withIcon) {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExA(instance, name, &existing)) return;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    // Backgrounds are painted from the model's colour.
    wc.hbrBackground = nullptr;
    wc.lpszClassName = name;
    if (withIcon) {
        wc.hIcon = programIcon(instance, GetSystemMetrics(SM_CXICON));
        wc.hIconSm = programIcon(instance, GetSystemMetrics(SM_CXSMICON));
    }
    RegisterClassExA(&wc);
}

}  // namespace

void registerFormClass(HINSTANCE instance, const std::string& className, WNDPROC procedure, bool withIcon) {
    registerClass(instance, className.c_str(), procedure, withIcon);
}

void registerPanelClass(HINSTANCE instance, WNDPROC procedure) {
    registerClass(instance, PanelClassName, procedure, false);
}

void registerApplicationClass(HINSTANCE instance) {
    registerClass(instance, ApplicationClassName, &DefWindowProcA, true);
}

}  // namespace win32
