// The application object: creates the forms in order (the first becomes the
// main form), runs the message loop through the backend, and dispatches every
// event so that an exception thrown by a handler is shown, not fatal.
#pragma once

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/forms/Backend.h"
#include "platform/forms/Form.h"

namespace forms {

// The framework's own exception class: its message is shown to the user.
class Exception : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
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
        if (form->visible())
            backend_.formCreated(*form);
        else
            form->awaitFirstShow([this, form] { backend_.formCreated(*form); });
        return form;
    }

    Form* mainForm() const { return mainForm_; }
    const std::vector<std::unique_ptr<Form>>& forms() const { return forms_; }

    // Runs the message loop; returns when the main form has been closed.
    void Run();
    void Terminate();
    bool terminated() const { return terminated_; }

    void ShowException(const std::string& message) {
        backend_.messageBox(message, Title(), MessageKind::Exception, nullptr);
    }
    // The application's title: its main form's caption, or the program's
    // name while there is no caption to take.
    std::string Title() const;
    std::string programName = "Dorvane Shell";
    // `owner`: the form the message is about, active again once the box is
    // closed; none: the form that is active when it opens.
    void MessageBox(const std::string& text, const std::string& caption, MessageKind kind,
                    const Form* owner = nullptr) {
        backend_.messageBox(text, caption, kind, owner);
    }

    void DiscardPendingInput() { backend_.discardPendingInput(); }

    // A handler that keeps the message loop for long (a diskette run) holds
    // the application meanwhile. The window system is still answered
    // (AnswerSystem), so that neither Windows nor the window manager takes
    // the program for hung and offers to kill it mid-write; but no close
    // request acts while it holds: it would hide a result nobody has seen, or
    // end the program in the middle of a run. What was put off until then
    // (AfterHold) runs when the outermost hold ends.
    class Hold {
    public:
        explicit Hold(Application& app) : app_(app) { ++app_.holds_; }
        ~Hold();
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

    private:
        Application& app_;
    };
    bool holding() const { return holds_ > 0; }
    void AnswerSystem() { backend_.answerSystem(); }
    // Runs `action` now, or, while the application holds, when the hold ends.
    void AfterHold(std::function<void()> action);

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
    int holds_ = 0;
    std::vector<std::function<void()>> afterHold_;
};

}  // namespace forms
