// dorvane-shell: the Linux program. The forms on Qt Widgets, the system
// services on POSIX, and the same start-up function as every build.
#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "app/Startup.h"
#include "platform/posix/PosixServices.h"
#include "platform/qt/DisplayCheck.h"
#include "platform/qt/QtBackend.h"

int main(int argc, char** argv) {
    if (!qtui::displayAvailable([](const char* name) { return std::getenv(name); })) {
        std::fprintf(stderr, "%s\n", qtui::NoDisplayMessage);
        return 1;
    }
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("dorvane-shell"));

    posix::PosixServices posixServices;
    sys::Services services = posixServices.services();
    // The backend outlives the application object that renders through it.
    qtui::QtBackend backend;
    forms::Application app(backend);
    return DorvaneMain(app, services);
}
