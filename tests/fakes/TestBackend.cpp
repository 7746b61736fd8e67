#include "tests/fakes/TestBackend.h"


#include "platform/forms/Form.h"

namespace fakes {

using forms::Prop;

RecordingView::RecordingView(forms::Control& c, const forms::MeasureText& measure) : control(c), measure_(measure) {
    for (Prop p : {Prop::Visible, Prop::Enabled, Prop::Bounds, Prop::Text, Prop::Font, Prop::Color, Prop::Checked,
                   Prop::Progress})
        apply(p);
    told.clear();
    id_ = control.observe([this](Prop p) {
        told.push_back(p);
        apply(p);
    });
}

RecordingView::~RecordingView() { control.unobserve(id_); }

void RecordingView::apply(Prop prop) {
    auto* form = control.kind() == forms::Kind::Form ? static_cast<forms::Form*>(&control) : nullptr;
    switch (prop) {
        case Prop::Visible:
            // Shown from hidden: raised, active, and centred if the form says so.
            if (form && control.visible() && !shown.visible) {
                ++activations;
                centred = form->centredNow();
                focus = form->activeControl();
            }
            shown.visible = control.visible();
            break;
        case Prop::Enabled: shown.enabled = control.enabled(); break;
        case Prop::Bounds: shown.bounds = control.placement(measure_); break;
        case Prop::Text: shown.text = control.text(); break;
        case Prop::Font: shown.font = control.font(); break;
        case Prop::Color: shown.color = control.color(); break;
        case Prop::Checked:
            if (control.kind() == forms::Kind::RadioButton)
                shown.checked = static_cast<forms::RadioButton&>(control).checked();
            break;
        case Prop::Progress:
            if (control.kind() == forms::Kind::ProgressBar)
                shown.position = static_cast<forms::ProgressBar&>(control).position();
            break;
        case Prop::Focus:
            if (form && shown.visible) focus = form->activeControl();
            break;
        case Prop::Alignment:
        case Prop::Cursor:
        case Prop::WindowState:
        case Prop::FormStyle:
        case Prop::Repaint:
        case Prop::TimerState:
        case Prop::Missing: break;
    }
}

forms::Size TestBackend::measure(const forms::Font& font, const std::string& text) {
    return forms::textExtent(text, font.height + 2, [](const std::string& line) { return 6 * static_cast<int>(line.size()); });
}

// The form's view comes with its controls' views, as a renderer's form
// window makes them.
std::unique_ptr<forms::View> TestBackend::form(forms::Form& form) {
    created.push_back(&form);
    auto view = record(form);
    for (forms::Control* c : form.controls()) views_.push_back(c->makeView(*this));
    return view;
}

void TestBackend::eventLoop(forms::Form& mainForm) {
    ran = true;
    if (loop) loop(mainForm);
}

RecordingView* TestBackend::view(const forms::Control& control) const {
    const auto it = viewOf_.find(&control);
    return it == viewOf_.end() ? nullptr : it->second;
}

std::unique_ptr<forms::View> TestBackend::record(forms::Control& c) {
    auto view = std::make_unique<RecordingView>(c, measure_);
    viewOf_[&c] = view.get();
    return view;
}

std::unique_ptr<forms::View> TestBackend::label(forms::Label& c) { return record(c); }
std::unique_ptr<forms::View> TestBackend::edit(forms::Edit& c) { return record(c); }
std::unique_ptr<forms::View> TestBackend::memo(forms::Memo& c) { return record(c); }
std::unique_ptr<forms::View> TestBackend::richEdit(forms::RichEdit& c) { return record(c); }
std::unique_ptr<forms::View> TestBackend::radioButton(forms::RadioButton& c) { return record(c); }
std::unique_ptr<forms::View> TestBackend::panel(forms::Panel& c) { return record(c); }
std::unique_ptr<forms::View> TestBackend::bevel(forms::Bevel& c) { return record(c); }
std::unique_ptr<forms::View> TestBackend::image(forms::Image& c) { return record(c); }
std::unique_ptr<forms::View> TestBackend::button(forms::Button& c) { return record(c); }
std::unique_ptr<forms::View> TestBackend::bitBtn(forms::BitBtn& c) { return record(c); }
std::unique_ptr<forms::View> TestBackend::progressBar(forms::ProgressBar& c) { return record(c); }
std::unique_ptr<forms::View> TestBackend::statusBar(forms::StatusBar& c) { return record(c); }

}  // namespace fakes
