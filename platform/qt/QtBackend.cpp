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

QtBackend::~QtBackend() {
    for (const auto& w : windows_) w->detach();
    windows_.clear();
}

void QtBackend::formCreated(forms::Form& form) { windows_.push_back(std::make_unique<FormWindow>(form)); }

FormWindow* QtBackend::window(const forms::Form& form) const {
    for (const auto& w : windows_)
        if (&w->form() == &form) return w.get();
    return nullptr;
}

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
    for (const auto& w : windows_) w->hide();
    if (inLoop_) QApplication::exit(0);
}

QWidget* QtBackend::dialogParent() const {
    QWidget* active = QApplication::activeWindow();
    if (active) return active;
    for (const auto& w : windows_)
        if (w->isVisible()) return w.get();
    return nullptr;
}

void QtBackend::showException(const std::string& message) {
    // The application's title is its main form's caption.
    const QString title = windows_.empty() ? QString() : toWidgetText(windows_.front()->form().text());
    QMessageBox::critical(dialogParent(), title, toWidgetText(message));
}

void QtBackend::messageBox(const std::string& text, const std::string& caption, forms::MessageKind kind) {
    if (kind == forms::MessageKind::Error)
        QMessageBox::critical(dialogParent(), toWidgetText(caption), toWidgetText(text));
    else
        QMessageBox::information(dialogParent(), toWidgetText(caption), toWidgetText(text));
}

}  // namespace qtui
