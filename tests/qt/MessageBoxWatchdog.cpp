#include "tests/qt/MessageBoxWatchdog.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <gtest/gtest.h>

namespace qttest {

MessageBoxWatchdog::MessageBoxWatchdog() {
    poll_.setInterval(50);
    QObject::connect(&poll_, &QTimer::timeout, &poll_, [] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || ExpectedMessageBox::anyExpected()) return;
        auto* box = qobject_cast<QMessageBox*>(modal);
        ADD_FAILURE() << "a modal window that no test expects: \"" << modal->windowTitle().toStdString() << "\" "
                      << (box ? box->text().toStdString() : std::string(modal->metaObject()->className()));
        if (box)
            box->done(QMessageBox::Ok);
        else if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
    });
    poll_.start();
}

}  // namespace qttest
