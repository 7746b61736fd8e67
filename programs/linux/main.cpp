// dorvane-shell: the Linux program. The forms on Qt Widgets, the system
// services on POSIX, and the same start-up function as every build.
#include <QApplication>
#include <QSocketNotifier>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/Startup.h"
#include "platform/posix/PosixServices.h"
#include "platform/posix/StreamDiagnostics.h"
#include "programs/linux/DisplayCheck.h"
#include "platform/qt/QtBackend.h"
#include "product/Product.h"
#include "programs/linux/CommandLine.h"
#include "programs/linux/EndSignals.h"
#include "programs/linux/QtStart.h"

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
    // A given Dsck.tr: its folder becomes the working folder, where the shell
    // reads the image and finds the default drive A:; a drive given by a
    // relative path still means the one seen from where the program started.
    std::string drive = line.drive;
    if (!line.image.empty()) {
        if (!drive.empty() && drive[0] != '/') {
            if (char* here = ::getcwd(nullptr, 0)) {
                drive = std::string(here) + "/" + drive;
                std::free(here);
            }
        }
        const std::string folder = linuxprogram::folderOf(line.image);
        if (::chdir(folder.c_str()) != 0) {
            std::fprintf(stderr, "dorvane-shell: cannot work in %s: %s\n\n%s", folder.c_str(), std::strerror(errno),
                         linuxprogram::usageText().c_str());
            return linuxprogram::ExitMisuse;
        }
    }
    if (!line.platformGiven && !line.displayGiven &&
        !linuxprogram::displayAvailable([](const char* name) { return std::getenv(name); })) {
        std::fprintf(stderr, "%s\n", linuxprogram::NoDisplayMessage);
        return linuxprogram::ExitNoDisplay;
    }
    // A write over the file-size limit (ulimit -f) then fails as any write
    // does, with its cause, instead of killing the program mid-run.
    std::signal(SIGXFSZ, SIG_IGN);
    // Before Qt starts its threads, so that they leave these signals alone.
    linuxprogram::EndSignals endSignals;
    const std::unique_ptr<QApplication> qapp = linuxprogram::startQt(argc, argv);
    QApplication::setApplicationName(QStringLiteral("dorvane-shell"));

    posix::StreamDiagnostics diagnostics(stderr);
    posix::PosixServices posixServices(diagnostics, drive);
    sys::Services services = posixServices.services();
    // The backend outlives the application object that renders through it.
    qtui::QtBackend backend;
    forms::Application app(backend);
    endSignals.watch(app);
    // A mail program that gives up after it started is heard of here, on
    // this thread; while a run holds the loop, only once it is over.
    QSocketNotifier handlers(posixServices.shell.endedHandlers(), QSocketNotifier::Read);
    QObject::connect(&handlers, &QSocketNotifier::activated, [&] {
        handlers.setEnabled(false);
        app.AfterHold([&] {
            posixServices.shell.collectEndedHandlers();
            handlers.setEnabled(true);
        });
    });
    const int status = DorvaneMain(app, services);
    endSignals.unwatch();
    return status;
}
