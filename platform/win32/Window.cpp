#include "platform/win32/Window.h"

namespace win32 {

namespace {

struct WindowClass {
    std::string name;
    WNDPROC base;  // what the class's windows do by themselves
};

// The program's icon resource; a build without one (the tests) falls back
// to the system's application icon.
HICON programIcon(HINSTANCE instance, int size) {
    HICON icon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(1), IMAGE_ICON, size, size, 0));
    return icon ? icon : LoadIconA(nullptr, IDI_APPLICATION);
}

// Registers the class once per process; later calls find it registered. With
// `systemClass` the class is that one's superclass, else one on
// DefWindowProcA (with the program's icon when `withIcon`).
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

}  // namespace

Window::~Window() { destroy(); }

void Window::destroy() {
    if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
    hwnd_ = nullptr;
}

Window* Window::of(HWND hwnd) {
    if (!hwnd || GetClassLongPtrA(hwnd, GCLP_WNDPROC) != reinterpret_cast<ULONG_PTR>(&procedure)) return nullptr;
    return reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

void Window::create(HINSTANCE instance, const CreateArgs& args) {
    const WindowClass cls = registerWindowClass(instance, args.systemClass, args.className, args.withIcon, &procedure);
    base_ = cls.base;
    CreateWindowExA(args.exStyle, cls.name.c_str(), args.text.c_str(), args.style, 0, 0, args.width,
                    args.height, args.parent, args.menuOrId, instance, this);
}

LRESULT Window::message(UINT message, WPARAM wParam, LPARAM lParam) { return base(message, wParam, lParam); }

LRESULT Window::base(UINT message, WPARAM wParam, LPARAM lParam) const {
    return CallWindowProcA(base_, hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Window::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
        created->hwnd_ = hwnd;
    }
    Window* self = reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
    const LRESULT result = self->message(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}

}  // namespace win32
