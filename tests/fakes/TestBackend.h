// A backend that draws nothing: its message loop shows the main form and
// returns at once, and it keeps the messages it was asked to show, so tests
// drive the forms through the same entry points a renderer uses. Its views
// stand in for native widgets: each keeps what it was told, and shows what a
// widget would, so renderer contract tests have something to read here too.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms/Application.h"
#include "platform/forms/View.h"

namespace fakes {

// A widget's state as the model's notifications left it.
struct Shown {
    bool visible = false;
    bool enabled = false;
    forms::Rect bounds;
    std::string text;
    forms::Font font;
    forms::Color color;
    bool checked = false;
    int position = 0;
};

class RecordingView : public forms::View {
public:
    RecordingView(forms::Control& control, const forms::MeasureText& measure);
    ~RecordingView() override;
    RecordingView(const RecordingView&) = delete;
    RecordingView& operator=(const RecordingView&) = delete;

    forms::Control& control;
    // Every property the view was told about, in order.
    std::vector<forms::Prop> told;
    Shown shown;
    // A form's view: how often it was raised and made the active window, and
    // whether it was centred the last time.
    int activations = 0;
    bool centred = false;
    // The control that has the keyboard focus, for a form's view.
    const forms::Control* focus = nullptr;

private:
    void apply(forms::Prop prop);
    const forms::MeasureText& measure_;
    forms::ObserverId id_;
};

class TestBackend : public forms::Backend, private forms::ViewFactory {
public:
    std::vector<forms::Form*> created;
    std::vector<std::string> exceptions;
    std::vector<std::string> exceptionTitles;
    std::vector<std::string> messages;
    std::vector<const forms::Form*> messageOwners;
    bool ran = false;
    // Runs inside the loop, if set.
    std::function<void(forms::Form&)> loop;
    int inputDiscards = 0;
    // Runs when pending input is discarded, if set.
    std::function<void()> onDiscardInput;

    // Six pixels a character, a line as high as the font and two more.
    static forms::Size measure(const forms::Font& font, const std::string& text);

    void messageBox(const std::string& text, const std::string& caption, forms::MessageKind kind,
                    const forms::Form* owner) override {
        if (kind != forms::MessageKind::Exception) {
            messages.push_back(text);
            messageOwners.push_back(owner);
            return;
        }
        exceptions.push_back(text);
        exceptionTitles.push_back(caption);
    }

    void discardPendingInput() override {
        ++inputDiscards;
        if (onDiscardInput) onDiscardInput();
    }

    int systemAnswers = 0;
    // Runs when the system is answered during a held loop, if set.
    std::function<void()> onAnswerSystem;
    void answerSystem() override {
        ++systemAnswers;
        if (onAnswerSystem) onAnswerSystem();
    }

    // The view of a control, or null.
    RecordingView* view(const forms::Control& control) const;

protected:
    forms::ViewFactory& factory() override { return *this; }
    void eventLoop(forms::Form& mainForm) override;
    void quit() override {}
    void viewsGone() override {
        views_.clear();
        viewOf_.clear();
    }

private:
    std::unique_ptr<forms::View> record(forms::Control& c);
    std::unique_ptr<forms::View> form(forms::Form& c) override;
    std::unique_ptr<forms::View> label(forms::Label& c) override;
    std::unique_ptr<forms::View> edit(forms::Edit& c) override;
    std::unique_ptr<forms::View> memo(forms::Memo& c) override;
    std::unique_ptr<forms::View> richEdit(forms::RichEdit& c) override;
    std::unique_ptr<forms::View> radioButton(forms::RadioButton& c) override;
    std::unique_ptr<forms::View> panel(forms::Panel& c) override;
    std::unique_ptr<forms::View> bevel(forms::Bevel& c) override;
    std::unique_ptr<forms::View> image(forms::Image& c) override;
    std::unique_ptr<forms::View> button(forms::Button& c) override;
    std::unique_ptr<forms::View> bitBtn(forms::BitBtn& c) override;
    std::unique_ptr<forms::View> progressBar(forms::ProgressBar& c) override;
    std::unique_ptr<forms::View> statusBar(forms::StatusBar& c) override;

    forms::MeasureText measure_ = &TestBackend::measure;
    std::vector<std::unique_ptr<forms::View>> views_;
    std::map<const forms::Control*, RecordingView*> viewOf_;
};

}  // namespace fakes
