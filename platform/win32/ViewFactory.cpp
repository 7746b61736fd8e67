#include "platform/win32/ViewFactory.h"

#include "platform/win32/FormWindow.h"

namespace win32 {

std::unique_ptr<forms::View> ViewFactory::form(forms::Form& form) {
    auto window = std::make_unique<FormWindow>(form, context_, windows_.empty() ? nullptr : owner_);
    windows_.push_back(window.get());
    window->populate(*this);
    return window;
}

FormWindow* ViewFactory::windowFor(const forms::Form& form) const {
    for (FormWindow* window : windows_)
        if (&window->form() == &form) return window;
    return nullptr;
}

template <class V, class C>
std::unique_ptr<forms::View> ViewFactory::make(C& control) {
    FormWindow& form = *windowFor(control.form());
    auto view = std::make_unique<V>(control, form, context_);
    const ControlView* container = control.parent() == &control.form() ? nullptr : form.childFor(*control.parent());
    view->build(container ? container->hwnd() : form.hwnd(), nextId_++);
    return view;
}

}  // namespace win32
