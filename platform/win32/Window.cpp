#include "platform/win32/Window.h"

#include "platform/win32/WindowClasses.h"

namespace win32 {

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
