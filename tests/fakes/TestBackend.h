// A backend that draws nothing: its message loop shows the main form and
// returns at once, and it keeps the messages it was asked to show, so tests
// drive the forms through the same entry points a renderer uses.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/forms/Application.h"

namespace fakes {

class TestBackend : public forms::Backend {
public:
    std::vector<forms::Form*> created;
    std::vector<std::string> exceptions;
    std::vector<std::string> messages;
    bool ran = false;
    bool terminated = false;
    // Runs inside the loop, if set.
    std::function<void(forms::Form&)> loop;
    int inputDiscards = 0;
    // Runs when pending input is discarded, if set.
    std::function<void()> onDiscardInput;

    void formCreated(forms::Form& form) override { created.push_back(&form); }
    void run(forms::Form& mainForm) override;
    void terminate() override { terminated = true; }
    void showException(const std::string& message) override { exceptions.push_back(message); }
    void messageBox(const std::string& text, const std::string&, forms::MessageKind) override {
        messages.push_back(text);
    }
    void discardPendingInput() override {
        ++inputDiscards;
        if (onDiscardInput) onDiscardInput();
    }
};

}  // namespace fakes
