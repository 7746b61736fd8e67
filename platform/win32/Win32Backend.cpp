#include "platform/win32/Win32Backend.h"

#include "platform/win32/Context.h"
#include "platform/win32/FormWindow.h"
#include "platform/win32/Text.h"

namespace win32 {

namespace {

// The hidden window that owns the secondary forms.
class ApplicationWindow : public Window {
public:
    explicit ApplicationWindow(HINSTANCE instance) {
        create(instance, {.className = "TApplication", .withIcon = true, .style = WS_POPUP, .text = "Dorvane Shell"});
    }
};

}  // namespace

Win32Backend::Win32Backend(Win32BackendOptions options) : options_(options) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    // The rich-edit class lives in its own library, loaded for the life of
    // the process.
    LoadLibraryA("riched20.dll");
    context_ = std::make_unique<Context>(GetModuleHandleA(nullptr));
    application_ = std::make_unique<ApplicationWindow>(context_->instance);
}

Win32Backend::~Win32Backend() {
    shutdown();
    windows_.clear();
}

void Win32Backend::formCreated(forms::Form& form) {
    // The main form is a window of its own; the others belong to the hidden
    // application window.
    HWND owner = windows_.empty() ? nullptr : application_->hwnd();
    windows_.push_back(std::make_unique<FormWindow>(form, *context_, owner));
}

void Win32Backend::run(forms::Form& mainForm) {
    mainForm.setVisible(true);
    if (options_.returnAfterShow) return;
    MSG message;
    while (!terminated_ && GetMessageA(&message, nullptr, 0, 0) > 0) process(message);
    shutdown();
}

void Win32Backend::process(MSG& message) {
    const HWND root = message.hwnd ? topLevelOf(message.hwnd) : nullptr;
    for (const auto& window : windows_)
        if (root && window->hwnd() == root && window->preTranslate(message)) return;
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

bool Win32Backend::processPending() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            terminated_ = true;
            continue;
        }
        process(message);
    }
    return !terminated_;
}

void Win32Backend::terminate() {
    terminated_ = true;
    PostQuitMessage(0);
}

void Win32Backend::shutdown() {
    if (!context_) return;
    context_->detached = true;
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) (*it)->destroy();
    application_->destroy();
}

HWND Win32Backend::boxOwner() const {
    const HWND active = GetActiveWindow();
    for (const auto& window : windows_)
        if (window->hwnd() == active && active) return active;
    // A box without an owner could open behind a form that stays on top.
    if (!windows_.empty() && windows_.front()->hwnd() && IsWindowVisible(windows_.front()->hwnd()))
        return windows_.front()->hwnd();
    return nullptr;
}

std::string Win32Backend::title() const {
    if (!windows_.empty() && !windows_.front()->form().text().empty()) return windows_.front()->form().text();
    return "Dorvane Shell";
}

void Win32Backend::showException(const std::string& message) {
    MessageBoxA(boxOwner(), toAnsi(message).c_str(), toAnsi(title()).c_str(), MB_OK | MB_ICONERROR);
}

void Win32Backend::messageBox(const std::string& text, const std::string& caption, forms::MessageKind kind) {
    const UINT icon = kind == forms::MessageKind::Error ? MB_ICONERROR : MB_ICONINFORMATION;
    MessageBoxA(boxOwner(), toAnsi(text).c_str(), toAnsi(caption).c_str(), MB_OK | icon);
}

FormWindow* Win32Backend::window(const forms::Form& form) const {
    for (const auto& window : windows_)
        if (&window->form() == &form) return window.get();
    return nullptr;
}

HWND Win32Backend::hwnd(const forms::Form& form) const {
    const FormWindow* w = window(form);
    return w ? w->hwnd() : nullptr;
}

HWND Win32Backend::hwnd(const forms::Control& control) const {
    for (const auto& window : windows_)
        if (const ControlView* child = window->childFor(control)) return child->hwnd();
    return nullptr;
}

}  // namespace win32
