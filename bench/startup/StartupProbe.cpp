// Start-up of two programs side by side: the time from starting the process
// to its main window's first paint (Qt programs, through the preloaded paint
// shim) or to its window being mapped on the X display (any program, such as
// a Windows program under Wine), and its peak resident memory from wait4().
//
//   dorvane-startup-probe paint|map RUNS WARMUP SHIM|TITLE_A/TITLE_B -- A ARGS... -- B ARGS...
//
// The runs alternate A B B A, so neither program always goes first; warm-up
// runs fill the page cache (under Wine, start its helper processes) and are
// left out. Prints JSON: per program, milliseconds and peak KiB per run.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

extern char** environ;

namespace {

constexpr int PaintFd = 100;  // where the shim writes its clock reading
constexpr std::int64_t TimeoutNs = 120'000'000'000;

std::int64_t nowNs() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return std::int64_t{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
}

struct Subject {
    std::vector<std::string> argv;
    std::string title;
    std::vector<double> ms;
    std::vector<long> rssKb;
};

// Its input /dev/null, its output to the log; `pass` becomes PaintFd.
pid_t launch(const Subject& s, const std::vector<std::string>& extraEnv, int pass) {
    std::vector<char*> args, env;
    for (const std::string& a : s.argv) args.push_back(const_cast<char*>(a.c_str()));
    for (char** e = environ; *e != nullptr; ++e) env.push_back(*e);
    for (const std::string& e : extraEnv) env.push_back(const_cast<char*>(e.c_str()));
    args.push_back(nullptr);
    env.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "probe.log", O_WRONLY | O_CREAT | O_APPEND, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    if (pass >= 0) posix_spawn_file_actions_adddup2(&actions, pass, PaintFd);
    pid_t pid = -1;
    if (posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), env.data()) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// Peak KiB once it is gone; with `kill`, ends it first (not its process
// group: under Wine that holds the server's helpers, kept warm).
long reap(pid_t pid, bool kill) {
    if (kill) ::kill(pid, SIGKILL);
    rusage usage{};
    int status = 0;
    return ::wait4(pid, &status, 0, &usage) == pid ? usage.ru_maxrss : 0;
}

bool paintRun(Subject& s, const std::string& shim, double& ms, long& rss) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return false;
    const std::int64_t start = nowNs();
    const pid_t pid = launch(s, {"LD_PRELOAD=" + shim, "DORVANE_BENCH_PAINT_FD=" + std::to_string(PaintFd)}, fds[1]);
    ::close(fds[1]);
    std::int64_t painted = 0;
    pollfd fd{fds[0], POLLIN, 0};
    const bool got = pid > 0 && ::poll(&fd, 1, static_cast<int>(TimeoutNs / 1'000'000)) == 1 &&
                     ::read(fds[0], &painted, sizeof painted) == static_cast<ssize_t>(sizeof painted);
    ::close(fds[0]);
    if (pid > 0) rss = reap(pid, !got);
    ms = static_cast<double>(painted - start) / 1e6;
    return got;
}

// A window titled `title` among the root window's children (no window
// manager runs on the probe's Xvfb), by its WM_NAME or _NET_WM_NAME.
bool titled(Display* d, Window w, const std::string& title) {
    const Atom utf8 = XInternAtom(d, "UTF8_STRING", False), netName = XInternAtom(d, "_NET_WM_NAME", False);
    for (const auto& [property, type] : {std::pair{netName, utf8}, std::pair{Atom{XA_WM_NAME}, Atom{XA_STRING}}}) {
        Atom actual = 0;
        int format = 0;
        unsigned long items = 0, remaining = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(d, w, property, 0, 1024, False, type, &actual, &format, &items, &remaining, &data) ==
                Success && data != nullptr) {
            const bool same = format == 8 && std::string(reinterpret_cast<char*>(data), items) == title;
            XFree(data);
            if (same) return true;
        }
    }
    return false;
}

bool mapRun(Display* d, Subject& s, double& ms, long& rss) {
    XSync(d, True);  // drops the events of earlier runs
    const std::int64_t start = nowNs();
    const pid_t pid = launch(s, {}, -1);
    bool seen = false;
    while (pid > 0 && !seen && nowNs() - start < TimeoutNs) {
        pollfd fd{ConnectionNumber(d), POLLIN, 0};
        if (XPending(d) == 0) ::poll(&fd, 1, 5);
        while (XPending(d) > 0) {
            XEvent e;
            XNextEvent(d, &e);
            // The title may come after the window is mapped.
            if (e.type == CreateNotify) XSelectInput(d, e.xcreatewindow.window, PropertyChangeMask);
            if (e.type == MapNotify) seen = seen || titled(d, e.xmap.window, s.title);
            if (e.type == PropertyNotify) {
                XWindowAttributes a{};
                seen = seen || (XGetWindowAttributes(d, e.xproperty.window, &a) && a.map_state == IsViewable &&
                                titled(d, e.xproperty.window, s.title));
            }
        }
    }
    ms = static_cast<double>(nowNs() - start) / 1e6;
    if (pid > 0) rss = reap(pid, true);
    return seen;
}

int ignoreErrors(Display*, XErrorEvent*) { return 0; }  // a window may go while asked about

void print(const char* key, const Subject& s, const char* end) {
    std::printf("  \"%s\": {\"ms\": [", key);
    for (std::size_t i = 0; i < s.ms.size(); ++i) std::printf("%s%.3f", i ? ", " : "", s.ms[i]);
    std::printf("], \"rss_kb\": [");
    for (std::size_t i = 0; i < s.rssKb.size(); ++i) std::printf("%s%ld", i ? ", " : "", s.rssKb[i]);
    std::printf("]}%s\n", end);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() < 7 || (args[0] != "paint" && args[0] != "map") || args[4] != "--") {
        std::fprintf(stderr, "usage: %s paint|map RUNS WARMUP SHIM|TITLE_A/TITLE_B -- A... -- B...\n", argv[0]);
        return 2;
    }
    const bool paint = args[0] == "paint";
    const int runs = std::atoi(args[1].c_str()), warmup = std::atoi(args[2].c_str());
    Subject a, b;
    Subject* into = &a;
    for (std::size_t i = 5; i < args.size(); ++i)
        if (args[i] == "--")
            into = &b;
        else
            into->argv.push_back(args[i]);
    a.title = args[3].substr(0, args[3].find('/'));
    b.title = args[3].substr(args[3].find('/') + 1);
    Display* display = paint ? nullptr : XOpenDisplay(nullptr);
    if (!paint && display == nullptr) return std::fprintf(stderr, "cannot open the X display\n"), 1;
    if (display != nullptr) {
        XSetErrorHandler(ignoreErrors);
        XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    }
    for (int round = 0; round < warmup + runs; ++round) {
        for (Subject* s : round % 2 ? std::vector{&b, &a} : std::vector{&a, &b}) {
            double ms = 0;
            long rss = 0;
            if (!(paint ? paintRun(*s, args[3], ms, rss) : mapRun(display, *s, ms, rss))) {
                std::fprintf(stderr, "%s: no first %s in time (see probe.log)\n", s->argv[0].c_str(),
                             paint ? "paint" : "mapped window");
                return 1;
            }
            if (round < warmup) continue;
            s->ms.push_back(ms);
            s->rssKb.push_back(rss);
        }
    }
    std::printf("{\n");
    print("a", a, ",");
    print("b", b, "");
    std::printf("}\n");
}
