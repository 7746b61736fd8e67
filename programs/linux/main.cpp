// dorvane-shell: the Linux program. The forms on Qt Widgets, the system
// services on POSIX, and the same start-up function as every build.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/Startup.h"
#include "platform/posix/PosixServices.h"
#include "platform/posix/StreamDiagnostics.h"
#include "programs/linux/DisplayCheck.h"
#include "platform/qt/QtBackend.h"
#include "product/Product.h"
#include "programs/linux/CommandLine.h"

int main(int argc, char** argv) {
    // The command line first: help, the version and a wrong option need no display.
    const linuxprogram::CommandLine line =
        linuxprogram::readCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    switch (line.action) {
    case linuxprogram::CommandLine::Action::Help:
        std::fputs(linuxprogram::usageText().c_str(), stdout);
        return 0;
    case linuxprogram::CommandLine::Action::Version:
        std::printf("%s %s\n", product::Name, product::VersionText);
        return 0;
    case linuxprogram::CommandLine::Action::Misuse:
        std::fprintf(stderr, "dorvane-shell: %s\n\n%s", line.error.c_str(), linuxprogram::usageText().c_str());
        return linuxprogram::ExitMisuse;
    case linuxprogram::CommandLine::Action::Run: break;
    }
    if (!line.platformGiven && !linuxprogram::displayAvailable([](const char* name) { return std::getenv(name); })) {
        std::fprintf(stderr, "%s\n", linuxprogram::NoDisplayMessage);
        return linuxprogram::ExitNoDisplay;
    }
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("dorvane-shell"));

    posix::StreamDiagnostics diagnostics(stderr);
    posix::PosixServices posixServices(diagnostics, line.drive);
    sys::Services services = posixServices.services();
    // The backend outlives the application object that renders through it.
    qtui::QtBackend backend;
    forms::Application app(backend);
    return DorvaneMain(app, services);
}
