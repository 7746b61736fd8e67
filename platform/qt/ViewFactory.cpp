#include "platform/qt/ViewFactory.h"

#include "platform/forms/Form.h"
#include "platform/qt/FormWindow.h"
#include "platform/qt/KindViews.h"

namespace qtui {

template <class V, class C>
std::unique_ptr<forms::View> ViewFactory::make(C& control) {
    const forms::Form& form = control.form();
    auto view = std::make_unique<V>(control, parentFor(control), *windowFor(form));
    widgets_[&control] = view->widget();
    return view;
}

QWidget* ViewFactory::parentFor(const forms::Control& control) const {
    // Controls are made in creation order, so a parent's widget is there.
    QWidget* parent = control.parent() ? widgetFor(*control.parent()) : nullptr;
    return parent ? parent : widgetFor(control.form());
}

QWidget* ViewFactory::widgetFor(const forms::Control& control) const {
    const auto it = widgets_.find(&control);
    return it == widgets_.end() ? nullptr : it->second;
}

FormWindow* ViewFactory::windowFor(const forms::Form& form) const {
    QWidget* client = widgetFor(form);
    return client ? static_cast<FormWindow*>(client->window()) : nullptr;
}

std::unique_ptr<forms::View> ViewFactory::form(forms::Form& form) {
    auto window = std::make_unique<FormWindow>(form, *this);
    widgets_[&form] = window->client();
    window->build();
    return window;
}

std::unique_ptr<forms::View> ViewFactory::label(forms::Label& c) { return make<LabelView>(c); }
std::unique_ptr<forms::View> ViewFactory::edit(forms::Edit& c) { return make<EditView>(c); }
std::unique_ptr<forms::View> ViewFactory::memo(forms::Memo& c) { return make<MemoView>(c); }
std::unique_ptr<forms::View> ViewFactory::richEdit(forms::RichEdit& c) { return make<RichEditView>(c); }
std::unique_ptr<forms::View> ViewFactory::radioButton(forms::RadioButton& c) { return make<RadioButtonView>(c); }
std::unique_ptr<forms::View> ViewFactory::panel(forms::Panel& c) { return make<PanelView>(c); }
std::unique_ptr<forms::View> ViewFactory::bevel(forms::Bevel& c) { return make<BevelView>(c); }
std::unique_ptr<forms::View> ViewFactory::image(forms::Image& c) { return make<ImageView>(c); }
std::unique_ptr<forms::View> ViewFactory::button(forms::Button& c) { return make<ButtonView>(c); }
std::unique_ptr<forms::View> ViewFactory::bitBtn(forms::BitBtn& c) { return make<ButtonView>(c); }
std::unique_ptr<forms::View> ViewFactory::progressBar(forms::ProgressBar& c) { return make<ProgressBarView>(c); }
std::unique_ptr<forms::View> ViewFactory::statusBar(forms::StatusBar& c) { return make<StatusBarView>(c); }

}  // namespace qtui
