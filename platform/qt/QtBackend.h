// The forms' Qt Widgets renderer: one FormWindow per form, QApplication's
// event loop as the message loop, QMessageBox for the message boxes.
//
// A QApplication must exist before the backend, and the backend must outlive
// the forms::Application that uses it (declare it first).
#pragma once

#include <memory>

#include "platform/forms/Backend.h"
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

    void messageBox(const std::string& text, const std::string& caption, forms::MessageKind kind,
                    const forms::Form* owner) override;
    void discardPendingInput() override;  // InputDrain.cpp
    void answerSystem() override;         // InputDrain.cpp

    // The window that renders a form, or null.
    FormWindow* window(const forms::Form& form) const;

private:
    forms::ViewFactory& factory() override { return factory_; }
    void eventLoop(forms::Form& mainForm) override;
    void quit() override;
    void viewsGone() override { factory_.forget(); }
    QWidget* dialogParent() const;

    ViewFactory factory_;
    bool inLoop_ = false;
};

}  // namespace qtui
