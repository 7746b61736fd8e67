// The base of every window the renderer creates (forms, panels, controls)
// and the one way from a window handle to its object: the object travels in
// CREATESTRUCT to WM_NCCREATE and stays in GWLP_USERDATA. Every class the
// renderer creates windows of is its own: a form's is named after the form's
// class ("T" + its name), panels have one, and the system's control classes
// are superclassed under "Dorvane" + their name. So every window reaches
// `procedure` from its first message.
#pragma once

#include <string>

#include "platform/windows/WinApi.h"

namespace win32 {

class Window {
public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND hwnd() const { return hwnd_; }
    // The object of a window this renderer created, or null.
    static Window* of(HWND hwnd);
    void destroy();

protected:
    // What CreateWindowEx is given. A window of a system control class
    // (`systemClass`: "BUTTON", "EDIT" ...) is made of the renderer's
    // superclass of it; the others of the renderer's class `className`.
    struct CreateArgs {
        const char* systemClass = nullptr;
        std::string className{};
        bool withIcon = false;
        DWORD style = 0;
        DWORD exStyle = 0;
        std::string text{};
        HWND parent = nullptr;
        HMENU menuOrId = nullptr;
        int width = 0, height = 0;
    };
    void create(HINSTANCE instance, const CreateArgs& args);

    // A message of this window; the default is the class's own handling.
    virtual LRESULT message(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT base(UINT message, WPARAM wParam, LPARAM lParam) const;

private:
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    WNDPROC base_ = &DefWindowProcA;
};

}  // namespace win32
