// One QApplication for the whole run; every test builds its own forms and
// renderer on it.
#include <QApplication>
#include <gtest/gtest.h>

#include "tests/qt/MessageBoxWatchdog.h"

int main(int argc, char** argv) {
    // Without a display the tests draw offscreen; a chosen platform stays.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const qttest::MessageBoxWatchdog watchdog;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
