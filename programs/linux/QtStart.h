// Starting Qt. Qt reports a platform it cannot open (a display that is gone,
// an unknown -platform) with a fatal message and aborts (status 134); here
// that becomes one line on standard error and the exit status of a missing
// display.
#pragma once

#include <QApplication>
#include <memory>

namespace linuxprogram {

std::unique_ptr<QApplication> startQt(int& argc, char** argv);

}  // namespace linuxprogram
