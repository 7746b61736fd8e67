// Makes the view of each control kind; one function per kind.
#pragma once

#include <memory>

#include "platform/win32/Views.h"

namespace win32 {

class ViewFactory {
public:
    ViewFactory(FormWindow& form, Context& context) : form_(form), context_(context) {}
    std::unique_ptr<ControlView> make(forms::Control& control);

    std::unique_ptr<ControlView> label(forms::Label& c) { return std::make_unique<LabelView>(c, form_, context_); }
    std::unique_ptr<ControlView> edit(forms::Edit& c) { return std::make_unique<EditView>(c, form_, context_); }
    std::unique_ptr<ControlView> memo(forms::Memo& c) { return std::make_unique<EditView>(c, form_, context_); }
    std::unique_ptr<ControlView> richEdit(forms::RichEdit& c) {
        return std::make_unique<RichEditView>(c, form_, context_);
    }
    std::unique_ptr<ControlView> radioButton(forms::RadioButton& c) {
        return std::make_unique<RadioButtonView>(c, form_, context_);
    }
    std::unique_ptr<ControlView> panel(forms::Panel& c) { return std::make_unique<PanelView>(c, form_, context_); }
    std::unique_ptr<ControlView> bevel(forms::Bevel& c) { return std::make_unique<BevelView>(c, form_, context_); }
    std::unique_ptr<ControlView> image(forms::Image& c) { return std::make_unique<ImageView>(c, form_, context_); }
    std::unique_ptr<ControlView> button(forms::Button& c) { return std::make_unique<ButtonView>(c, form_, context_); }
    std::unique_ptr<ControlView> bitBtn(forms::BitBtn& c) { return std::make_unique<ButtonView>(c, form_, context_); }
    std::unique_ptr<ControlView> progressBar(forms::ProgressBar& c) {
        return std::make_unique<ProgressBarView>(c, form_, context_);
    }
    std::unique_ptr<ControlView> statusBar(forms::StatusBar& c) {
        return std::make_unique<StatusBarView>(c, form_, context_);
    }

private:
    FormWindow& form_;
    Context& context_;
};

}  // namespace win32
