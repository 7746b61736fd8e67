#include "platform/win32/WindowClasses.h"

namespace win32 {

namespace {

// The program's icon resource; a build without one (the tests) falls back
// to the system's application icon.
HICON programIcon(HINSTANCE instance, int size) {
    HICON icon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(1), IMAGE_ICON, size, size, 0));
    return icon ? icon : LoadIconA(nullptr, IDI_APPLICATION);
}

}  // namespace

WindowClass registerWindowClass(HINSTANCE instance, const char* systemClass, const std::string& className,
                                bool withIcon, WNDPROC procedure) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    WindowClass result{className, &DefWindowProcA};
    if (systemClass) {
        // The control libraries register their classes for every module.
        if (!GetClassInfoExA(instance, systemClass, &wc) && !GetClassInfoExA(nullptr, systemClass, &wc))
            return {systemClass, &DefWindowProcA};
        result = {std::string("Dorvane") + systemClass, wc.lpfnWndProc};
        wc.style &= ~CS_GLOBALCLASS;
    } else {
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        // Backgrounds are painted from the model's colour.
        wc.hbrBackground = nullptr;
        if (withIcon) {
            wc.hIcon = programIcon(instance, GetSystemMetrics(SM_CXICON));
            wc.hIconSm = programIcon(instance, GetSystemMetrics(SM_CXSMICON));
        }
    }
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExA(instance, result.name.c_str(), &existing)) return result;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.lpszClassName = result.name.c_str();
    RegisterClassExA(&wc);
    return result;
}

}  // namespace win32
