// The application object: creates the forms in order (the first becomes the
// main form), runs the message loop through the backend, and dispatches every
// event so that an exception thrown by a handler is shown, not fatal.
#pragma once

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/forms/Form.h"

namespace forms {

// The framework's own exception class: its message is shown to the user.
class Exception : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class MessageKind { Information, Error };

// What a toolkit provides: widgets for forms, a message loop, message boxes.
class Backend {
public:
    Backend() = default;
    virtual ~Backend() = default;
    // A backend owns native windows and loops: never copied.
    Backend(const Backend&) = delete;
    Backend& operator=(const Backend&) = delete;
    // A form and all its controls exist and it is about to be shown for the
    // first time (still hidden): mirror them. A form never shown never gets
    // here, which spares the start-up the hidden forms' windows.
    virtual void formCreated(Form& form) = 0;
    // The forms are about to go: take every view down now, while the model
    // still exists. What the views report meanwhile is ignored.
    virtual void formsClosing() = 0;
    // Shows the main form and processes events until terminate() is called.
    virtual void run(Form& mainForm) = 0;
    virtual void terminate() = 0;
    // The standard exception message box, titled as the application says.
    virtual void showException(const std::string& message, const std::string& title) = 0;
    virtual void messageBox(const std::string& text, const std::string& caption, MessageKind kind) = 0;
    // Drops the keyboard and mouse input waiting to be handled: what the user
    // pressed while a handler held the loop. Everything else (timers, paints,
    // close requests) is handled as usual.
    virtual void discardPendingInput() = 0;
};

class Application {
public:
    explicit Application(Backend& backend) : backend_(backend) {}
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    void Initialize() {}

    template <class F, class... Args>
    F* CreateForm(Args&&... args) {
        auto owned = std::make_unique<F>(*this, std::forward<Args>(args)...);
        F* form = owned.get();
        forms_.push_back(std::move(owned));
        if (!mainForm_) mainForm_ = form;
        form->FormCreate();
        if (form->visible()) {
            backend_.formCreated(*form);
        } else {
            form->awaitFirstShow([this, form] { backend_.formCreated(*form); });
        }
        return form;
    }

    Form* mainForm() const { return mainForm_; }
    const std::vector<std::unique_ptr<Form>>& forms() const { return forms_; }

    // Runs the message loop; returns when the main form has been closed.
    void Run();
    void Terminate();
    bool terminated() const { return terminated_; }

    void ShowException(const std::string& message) { backend_.showException(message, Title()); }
    // The application's title: its main form's caption, or the program's
    // name while there is no caption to take.
    std::string Title() const;
    std::string programName = "Dorvane Shell";
    void MessageBox(const std::string& text, const std::string& caption, MessageKind kind) {
        backend_.messageBox(text, caption, kind);
    }

    void DiscardPendingInput() { backend_.discardPendingInput(); }

    // Runs one event handler; what it throws is shown and the loop goes on.
    // While the forms are being taken down nothing runs.
    void dispatch(const std::function<void()>& handler);
    bool closing() const { return closing_; }

private:
    Backend& backend_;
    std::vector<std::unique_ptr<Form>> forms_;
    Form* mainForm_ = nullptr;
    bool terminated_ = false;
    bool closing_ = false;
};

}  // namespace forms
