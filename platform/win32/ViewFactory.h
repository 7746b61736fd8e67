// The renderer's views, one entry per control kind: a form becomes a
// FormWindow, every other control a native child window of its form. The
// factory also knows every form's window, the one way from the model to it.
#pragma once

#include <memory>
#include <vector>

#include "platform/forms/View.h"
#include "platform/win32/KindViews.h"

namespace win32 {

class ViewFactory : public forms::ViewFactory {
public:
    explicit ViewFactory(Context& context) : context_(context) {}

    std::unique_ptr<forms::View> form(forms::Form& form) override;
    std::unique_ptr<forms::View> label(forms::Label& c) override { return make<LabelView>(c); }
    std::unique_ptr<forms::View> edit(forms::Edit& c) override { return make<EditView>(c); }
    std::unique_ptr<forms::View> memo(forms::Memo& c) override { return make<MemoView>(c); }
    std::unique_ptr<forms::View> richEdit(forms::RichEdit& c) override { return make<RichEditView>(c); }
    std::unique_ptr<forms::View> radioButton(forms::RadioButton& c) override { return make<RadioButtonView>(c); }
    std::unique_ptr<forms::View> panel(forms::Panel& c) override { return make<PanelView>(c); }
    std::unique_ptr<forms::View> bevel(forms::Bevel& c) override { return make<BevelView>(c); }
    std::unique_ptr<forms::View> image(forms::Image& c) override { return make<ImageView>(c); }
    std::unique_ptr<forms::View> button(forms::Button& c) override { return make<ButtonView>(c); }
    std::unique_ptr<forms::View> bitBtn(forms::BitBtn& c) override { return make<ButtonView>(c); }
    std::unique_ptr<forms::View> progressBar(forms::ProgressBar& c) override { return make<ProgressBarView>(c); }
    std::unique_ptr<forms::View> statusBar(forms::StatusBar& c) override { return make<StatusBarView>(c); }

    // The hidden window that owns every form but the first.
    void setOwner(HWND owner) { owner_ = owner; }
    FormWindow* windowFor(const forms::Form& form) const;
    // The forms' windows are gone.
    void forget() { windows_.clear(); }

private:
    template <class V, class C>
    std::unique_ptr<forms::View> make(C& control);

    Context& context_;
    HWND owner_ = nullptr;
    std::vector<FormWindow*> windows_;
    int nextId_ = 1000;
};

}  // namespace win32
