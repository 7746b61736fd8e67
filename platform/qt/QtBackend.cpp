#include "platform/qt/QtBackend.h"

#include <QApplication>
#include <QMessageBox>

#include "platform/qt/Accessibility.h"
#include "platform/qt/FormWindow.h"
#include "platform/qt/Look.h"

namespace qtui {

QtBackend::QtBackend(QtBackendOptions options) : Backend(options.returnAfterShow) {
    // Hidden forms are only hidden; the program ends when the main form
    // closes, and the model says when that is.
    QApplication::setQuitOnLastWindowClosed(false);
    installAccessibility();
}

QtBackend::~QtBackend() { formsClosing(); }

FormWindow* QtBackend::window(const forms::Form& form) const { return factory_.windowFor(form); }

void QtBackend::eventLoop(forms::Form&) {
    inLoop_ = true;
    QApplication::exec();
    inLoop_ = false;
}

void QtBackend::quit() {
    // The program's windows go with it at once, even while the loop unwinds.
    for (const auto& w : formViews()) static_cast<FormWindow&>(*w).hide();
    if (inLoop_) QApplication::exit(0);
}

QWidget* QtBackend::dialogParent() const {
    QWidget* active = QApplication::activeWindow();
    if (active) return active;
    for (const auto& w : formViews())
        if (auto& window = static_cast<FormWindow&>(*w); window.isVisible()) return &window;
    return nullptr;
}

void QtBackend::messageBox(const std::string& text, const std::string& caption, forms::MessageKind kind,
                           const forms::Form* owner) {
    FormWindow* own = owner ? window(*owner) : nullptr;
    if (own && !own->isVisible()) own = nullptr;
    QWidget* parent = own ? own : dialogParent();
    if (kind == forms::MessageKind::Information)
        QMessageBox::information(parent, toWidgetText(caption), toWidgetText(text));
    else
        QMessageBox::critical(parent, toWidgetText(caption), toWidgetText(text));
    // The window manager may hand the activation to another window when the
    // box goes; the keys belong to the form the message was about.
    if (own && own->isVisible()) {
        own->raise();
        own->activateWindow();
    }
}

}  // namespace qtui
