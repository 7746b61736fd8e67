// What a toolkit provides: a view of every form, a message loop, message
// boxes. What every toolkit does alike is decided here: a form's view is made
// when the form is first shown and goes when the forms close; running shows
// the main form, then loops until terminated.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/forms/View.h"

namespace forms {

class Form;

enum class MessageKind {
    Information,
    Error,
    // The standard box for an exception a handler threw: an error box titled
    // as the application says.
    Exception,
};

class Backend {
public:
    virtual ~Backend() = default;
    // A backend owns native windows and loops: never copied.
    Backend(const Backend&) = delete;
    Backend& operator=(const Backend&) = delete;

    // A form and all its controls exist and it is about to be shown for the
    // first time (still hidden): mirror them. A form never shown never gets
    // here, which spares the start-up the hidden forms' windows.
    void formCreated(Form& form);
    // The forms are about to go: take every view down now, while the model
    // still exists. What the views report meanwhile is ignored.
    void formsClosing();
    // Shows the main form and processes events until terminate() is called;
    // when built to return after showing, whoever started it processes the
    // events itself (the tests).
    void run(Form& mainForm);
    void terminate();
    bool terminated() const { return terminated_; }

    // A modal box; `owner`, where given, is the form it is about, which is
    // active again once the box is closed.
    virtual void messageBox(const std::string& text, const std::string& caption, MessageKind kind,
                            const Form* owner) = 0;
    // Drops the keyboard and mouse input waiting to be handled: what the user
    // pressed while a handler held the loop. Everything else (timers, paints,
    // close requests) is handled as usual, while the handler still holds.
    virtual void discardPendingInput() = 0;
    // While a handler holds the loop: answers what the window system asks
    // of a live program (Windows looks for a glance at the queue, the window
    // manager pings), acting on no input. Close requests that come meanwhile
    // reach the model, which refuses them while the application holds.
    virtual void answerSystem() = 0;

protected:
    explicit Backend(bool returnAfterShow = false) : returnAfterShow_(returnAfterShow) {}

    virtual ViewFactory& factory() = 0;
    // Processes events until quit() is called.
    virtual void eventLoop(Form& mainForm) = 0;
    virtual void quit() = 0;
    // After the forms' views went.
    virtual void viewsGone() {}
    // The forms' views, in the order the forms were first shown.
    const std::vector<std::unique_ptr<View>>& formViews() const { return formViews_; }

private:
    const bool returnAfterShow_;
    bool terminated_ = false;
    std::vector<std::unique_ptr<View>> formViews_;
};

}  // namespace forms
