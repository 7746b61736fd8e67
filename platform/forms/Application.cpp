#include "platform/forms/Application.h"

namespace forms {

Application::~Application() {
    closing_ = true;
    backend_.formsClosing();
}

std::string Application::Title() const {
    if (mainForm_ && !mainForm_->text().empty()) return mainForm_->text();
    return programName;
}

void Application::Run() {
    if (!mainForm_ || terminated_) return;
    backend_.run(*mainForm_);
}

void Application::Terminate() {
    if (terminated_) return;
    terminated_ = true;
    backend_.terminate();
}

void Application::dispatch(const std::function<void()>& handler) {
    if (closing_) return;
    try {
        handler();
    } catch (const Exception& e) {
        ShowException(e.what());
    } catch (...) {
        // Anything that is not the framework's own exception carries no
        // message the user could read.
        ShowException("");
    }
}

Application::Hold::~Hold() {
    if (--app_.holds_ > 0) return;
    const std::vector<std::function<void()>> waiting = std::move(app_.afterHold_);
    app_.afterHold_.clear();
    for (const auto& action : waiting) app_.dispatch(action);
}

void Application::AfterHold(std::function<void()> action) {
    if (holding())
        afterHold_.push_back(std::move(action));
    else
        dispatch(action);
}

}  // namespace forms
