// The Qt renderer's views: a FormWindow for a form, and for every other kind
// a native widget with the kind's static look (frame, read-only, wrapping,
// scroll bars, keyboard reach) and the view that keeps it in step with the
// model. The factory is also the one way from a control to its widget.
#pragma once

#include <QWidget>
#include <map>

#include "platform/forms/View.h"

namespace forms {
class Control;
}

namespace qtui {

class FormWindow;
class ControlView;

class ViewFactory : public forms::ViewFactory {
public:
    std::unique_ptr<forms::View> form(forms::Form& form) override;
    std::unique_ptr<forms::View> label(forms::Label& label) override;
    std::unique_ptr<forms::View> edit(forms::Edit& edit) override;
    std::unique_ptr<forms::View> memo(forms::Memo& memo) override;
    std::unique_ptr<forms::View> richEdit(forms::RichEdit& richEdit) override;
    std::unique_ptr<forms::View> radioButton(forms::RadioButton& radioButton) override;
    std::unique_ptr<forms::View> panel(forms::Panel& panel) override;
    std::unique_ptr<forms::View> bevel(forms::Bevel& bevel) override;
    std::unique_ptr<forms::View> image(forms::Image& image) override;
    std::unique_ptr<forms::View> button(forms::Button& button) override;
    std::unique_ptr<forms::View> bitBtn(forms::BitBtn& bitBtn) override;
    std::unique_ptr<forms::View> progressBar(forms::ProgressBar& progressBar) override;
    std::unique_ptr<forms::View> statusBar(forms::StatusBar& statusBar) override;

    // The widget that draws a control (a form's is its client area), or null.
    QWidget* widgetFor(const forms::Control& control) const;
    FormWindow* windowFor(const forms::Form& form) const;
    // The windows are gone.
    void forget() { widgets_.clear(); }

private:
    template <class V, class C>
    std::unique_ptr<forms::View> make(C& control);
    QWidget* parentFor(const forms::Control& control) const;

    std::map<const forms::Control*, QWidget*> widgets_;
};

}  // namespace qtui
