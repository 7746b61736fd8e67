#include "programs/linux/EndSignals.h"

#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

namespace linuxprogram {
namespace {

constexpr int Ending[] = {SIGTERM, SIGINT, SIGHUP};

sigset_t endingSet() {
    sigset_t set;
    sigemptyset(&set);
    for (int s : Ending) sigaddset(&set, s);
    return set;
}

// Ends the program as the signal does by default (status 128 + its number).
[[noreturn]] void endBy(int signal) {
    ::signal(signal, SIG_DFL);
    sigset_t one;
    sigemptyset(&one);
    sigaddset(&one, signal);
    ::raise(signal);
    ::pthread_sigmask(SIG_UNBLOCK, &one, nullptr);
    ::_exit(128 + signal);  // not reached: the signal ends the program when unblocked
}

}  // namespace

EndSignals::EndSignals() {
    const sigset_t set = endingSet();
    ::pthread_sigmask(SIG_BLOCK, &set, nullptr);
    fd_ = ::signalfd(-1, &set, SFD_CLOEXEC | SFD_NONBLOCK);
}

EndSignals::~EndSignals() {
    notifier_.reset();
    if (fd_ >= 0) ::close(fd_);
}

void EndSignals::watch(forms::Application& app) {
    if (fd_ < 0) {
        // Without a signalfd the signals act at once, as they always did.
        const sigset_t set = endingSet();
        ::pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
        return;
    }
    notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this, &app] {
        signalfd_siginfo info{};
        if (::read(fd_, &info, sizeof info) != static_cast<ssize_t>(sizeof info)) return;
        const int signal = static_cast<int>(info.ssi_signo);
        if (!app.holding()) endBy(signal);
        notifier_->setEnabled(false);
        app.AfterHold([signal] {
            std::fprintf(stderr, "dorvane-shell: SIG%s came during Create Diskette: the run was finished first; "
                                 "ending now\n", ::sigabbrev_np(signal));
            std::fflush(stderr);
            endBy(signal);
        });
    });
}

}  // namespace linuxprogram
