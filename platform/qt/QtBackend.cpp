#include "platform/qt/QtBackend.h"

#include <QApplication>
#include <QMessageBox>

#include "platform/qt/FormWindow.h"
#include "platform/qt/Look.h"

namespace qtui {

QtBackend::QtBackend(QtBackendOptions options) : options_(options) {
    // Hidden forms are only hidden; the program ends when the main form
    // closes, and the model says when that is.
    QApplication::setQuitOnLastWindowClosed(false);
}

QtBackend::~QtBackend() { formsClosing(); }

void QtBackend::formCreated(forms::Form& form) { windows_.push_back(form.makeView(factory_)); }

void QtBackend::formsClosing() {
    windows_.clear();
    factory_.forget();
}

FormWindow* QtBackend::window(const forms::Form& form) const { return factory_.windowFor(form); }

void QtBackend::run(forms::Form& mainForm) {
    if (terminated_) return;
    mainForm.setVisible(true);
    if (options_.returnAfterShow) return;
    inLoop_ = true;
    QApplication::exec();
    inLoop_ = false;
}

void QtBackend::terminate() {
    terminated_ = true;
    // The program's windows go with it at once, even while the loop unwinds.
    for (const auto& w : windows_) static_cast<FormWindow&>(*w).hide();
    if (inLoop_) QApplication::exit(0);
}

QWidget* QtBackend::dialogParent() const {
    QWidget* active = QApplication::activeWindow();
    if (active) return active;
    for (const auto& w : windows_)
        if (auto& window = static_cast<FormWindow&>(*w); window.isVisible()) return &window;
    return nullptr;
}

void QtBackend::showException(const std::string& message, const std::string& title) {
    QMessageBox::critical(dialogParent(), toWidgetText(title), toWidgetText(message));
}

void QtBackend::messageBox(const std::string& text, const std::string& caption, forms::MessageKind kind) {
    if (kind == forms::MessageKind::Error)
        QMessageBox::critical(dialogParent(), toWidgetText(caption), toWidgetText(text));
    else
        QMessageBox::information(dialogParent(), toWidgetText(caption), toWidgetText(text));
}

}  // namespace qtui
