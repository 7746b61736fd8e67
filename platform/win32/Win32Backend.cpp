#include "platform/win32/Win32Backend.h"

#include "platform/win32/Context.h"
#include "platform/win32/FormWindow.h"
#include "platform/windows/Text.h"
#include "platform/win32/ViewFactory.h"

namespace win32 {

namespace {

// The hidden window that owns the secondary forms, so that they have no
// taskbar buttons of their own and the main form's level (on top or not) is
// its own.
class ApplicationWindow : public Window {
public:
    explicit ApplicationWindow(HINSTANCE instance) {
        create(instance, {.className = "TApplication", .withIcon = true, .style = WS_POPUP, .text = "Dorvane Shell"});
    }
};

}  // namespace

Win32Backend::Win32Backend(Win32BackendOptions options) : Backend(options.returnAfterShow) {
    // The common controls and the rich-edit library are set up by the context.
    context_ = std::make_unique<Context>(GetModuleHandleA(nullptr), options.fallbacks);
    application_ = std::make_unique<ApplicationWindow>(context_->instance);
    factory_ = std::make_unique<ViewFactory>(*context_);
    factory_->setOwner(application_->hwnd());
}

Win32Backend::~Win32Backend() { formsClosing(); }

const Compat& Win32Backend::compat() const { return context_->compat; }

forms::ViewFactory& Win32Backend::factory() { return *factory_; }

void Win32Backend::viewsGone() {
    factory_->forget();
    application_->destroy();
}

void Win32Backend::eventLoop(forms::Form&) {
    MSG message;
    while (!terminated() && GetMessageA(&message, nullptr, 0, 0) > 0) process(message);
}

void Win32Backend::process(MSG& message) {
    const HWND root = message.hwnd ? topLevelOf(message.hwnd) : nullptr;
    auto* window = dynamic_cast<FormWindow*>(Window::of(root));
    if (window && window->preTranslate(message)) return;
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

bool Win32Backend::processPending() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        if (message.message != WM_QUIT) process(message);
    return !terminated();
}

void Win32Backend::quit() { PostQuitMessage(0); }

HWND Win32Backend::boxOwner() const {
    // A box without an owner could open behind a form that stays on top.
    if (auto* active = dynamic_cast<FormWindow*>(Window::of(GetActiveWindow()))) return active->hwnd();
    const HWND main = formViews().empty() ? nullptr : static_cast<FormWindow&>(*formViews().front()).hwnd();
    return main && IsWindowVisible(main) ? main : nullptr;
}

// Windows activates the owner again when the box is closed.
void Win32Backend::messageBox(const std::string& text, const std::string& caption, forms::MessageKind kind,
                              const forms::Form* owner) {
    const UINT icon = kind == forms::MessageKind::Information ? MB_ICONINFORMATION : MB_ICONERROR;
    HWND own = owner ? hwnd(*owner) : nullptr;
    if (!own || !IsWindowVisible(own)) own = boxOwner();
    MessageBoxA(own, toAnsi(text).c_str(), toAnsi(caption).c_str(), MB_OK | icon);
}

FormWindow* Win32Backend::window(const forms::Form& form) const { return factory_->windowFor(form); }

HWND Win32Backend::hwnd(const forms::Form& form) const {
    const FormWindow* w = window(form);
    return w ? w->hwnd() : nullptr;
}

HWND Win32Backend::hwnd(const forms::Control& control) const {
    const FormWindow* w = window(const_cast<forms::Control&>(control).form());
    const ControlView* view = w ? w->childFor(control) : nullptr;
    return view ? view->hwnd() : nullptr;
}

forms::Size Win32Backend::measure(const forms::Font& font, const std::string& caption) const {
    return context_->measure(font, caption);
}

}  // namespace win32
