// The forms' Qt Widgets renderer: one FormWindow per form, QApplication's
// event loop as the message loop, QMessageBox for the message boxes.
//
// A QApplication must exist before the backend, and the backend must outlive
// the forms::Application that uses it (declare it first).
#pragma once

#include <memory>
#include <vector>

#include "platform/forms/Application.h"
#include "platform/qt/ViewFactory.h"

class QWidget;

namespace qtui {

class FormWindow;

struct QtBackendOptions {
    // run() shows the main form and returns at once instead of entering the
    // event loop; whoever started it processes events itself (the tests do).
    bool returnAfterShow = false;
};

class QtBackend : public forms::Backend {
public:
    explicit QtBackend(QtBackendOptions options = {});
    ~QtBackend() override;

    void formCreated(forms::Form& form) override;
    void formsClosing() override;
    void run(forms::Form& mainForm) override;
    void terminate() override;
    void showException(const std::string& message, const std::string& title) override;
    void messageBox(const std::string& text, const std::string& caption, forms::MessageKind kind) override;
    void discardPendingInput() override;  // InputDrain.cpp

    // The window that renders a form, or null.
    FormWindow* window(const forms::Form& form) const;
    bool terminated() const { return terminated_; }

private:
    QWidget* dialogParent() const;

    QtBackendOptions options_;
    ViewFactory factory_;
    std::vector<std::unique_ptr<forms::View>> windows_;
    bool inLoop_ = false;
    bool terminated_ = false;
};

}  // namespace qtui
