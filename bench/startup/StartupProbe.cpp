// Start-up of two programs side by side: the time from starting the process
// to its main window's first paint (Qt programs, through the preloaded paint
// shim) or to its window being mapped on the X display (any program), and
// its peak resident memory up to then, from wait4().
//
//   dorvane-startup-probe --mode paint|map --runs N [--warmup K]
//       [--timeout SECONDS] [--shim LIBRARY] [--log FILE]
//       [--title-a TITLE] [--title-b TITLE] -- A ARGS... -- B ARGS...
//
// The runs alternate A B B A, so neither program always goes first after
// the other. Warm-up runs are made and left out (they fill the page cache;
// under Wine they start the server's helper processes). Prints JSON.
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "bench/startup/Launch.h"
#include "bench/startup/XMapWatch.h"

namespace {

struct Subject {
    std::vector<std::string> argv;
    std::string title;
    std::vector<double> warmupMs;  // left out of the medians; the first is the coldest start
    std::vector<double> ms;
    std::vector<long> rssKb;
};

struct Options {
    std::string mode;
    int runs = 10;
    int warmup = 1;
    int timeoutMs = 60'000;
    std::string shim;
    std::string log = "/dev/null";
    Subject a, b;
};

// Where the shim writes its clock reading in the program.
constexpr int PaintFd = 100;

struct Sample {
    bool ok = false;
    double ms = 0;
    long rssKb = 0;
    std::string error;
};

Sample paintRun(const Options& options, const Subject& subject, int logFd) {
    Sample sample;
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) return {false, 0, 0, "pipe"};
    const probe::Started started = probe::launch(
        subject.argv, {"LD_PRELOAD=" + options.shim, "DORVANE_BENCH_PAINT_FD=" + std::to_string(PaintFd)}, logFd,
        pipeFds[1], PaintFd);
    ::close(pipeFds[1]);
    if (started.pid < 0) {
        ::close(pipeFds[0]);
        return {false, 0, 0, "cannot start " + subject.argv[0]};
    }
    std::int64_t paintNs = 0;
    pollfd fd{pipeFds[0], POLLIN, 0};
    const bool ready = ::poll(&fd, 1, options.timeoutMs) == 1;
    const bool got = ready && ::read(pipeFds[0], &paintNs, sizeof paintNs) == static_cast<ssize_t>(sizeof paintNs);
    ::close(pipeFds[0]);
    const probe::Ended ended = got ? probe::reap(started.pid, true) : probe::killAndReap(started.pid);
    if (!got) return {false, 0, 0, subject.argv[0] + " ended or timed out before its first paint"};
    sample.ok = true;
    sample.ms = static_cast<double>(paintNs - started.startNs) / 1e6;
    sample.rssKb = ended.maxRssKb;
    return sample;
}

Sample mapRun(const Options& options, const Subject& subject, probe::XMapWatch& watch, int logFd) {
    watch.reset();
    const probe::Started started = probe::launch(subject.argv, {}, logFd);
    if (started.pid < 0) return {false, 0, 0, "cannot start " + subject.argv[0]};
    const std::int64_t deadline = started.startNs + std::int64_t{options.timeoutMs} * 1'000'000;
    while (probe::monotonicNs() < deadline) {
        if (watch.sawMapped(subject.title, 5)) {
            const std::int64_t mappedNs = probe::monotonicNs();
            const probe::Ended ended = probe::killAndReap(started.pid);
            return {true, static_cast<double>(mappedNs - started.startNs) / 1e6, ended.maxRssKb, {}};
        }
        if (probe::reap(started.pid, false).exited)
            return {false, 0, 0, subject.argv[0] + " ended before its window was mapped"};
    }
    probe::killAndReap(started.pid);
    return {false, 0, 0, subject.argv[0] + " mapped no window titled \"" + subject.title + "\" in time"};
}

bool parse(int argc, char** argv, Options& o) {
    int i = 1;
    for (; i < argc && std::string(argv[i]) != "--"; ++i) {
        const std::string flag = argv[i];
        if (i + 1 >= argc) return false;
        const std::string value = argv[++i];
        if (flag == "--mode") o.mode = value;
        else if (flag == "--runs") o.runs = std::atoi(value.c_str());
        else if (flag == "--warmup") o.warmup = std::atoi(value.c_str());
        else if (flag == "--timeout") o.timeoutMs = std::atoi(value.c_str()) * 1000;
        else if (flag == "--shim") o.shim = value;
        else if (flag == "--log") o.log = value;
        else if (flag == "--title-a") o.a.title = value;
        else if (flag == "--title-b") o.b.title = value;
        else return false;
    }
    Subject* into = &o.a;
    for (++i; i < argc; ++i) {
        if (std::string(argv[i]) == "--") {
            if (into == &o.b) return false;
            into = &o.b;
            continue;
        }
        into->argv.push_back(argv[i]);
    }
    const bool modeOk = (o.mode == "paint" && !o.shim.empty()) ||
                        (o.mode == "map" && !o.a.title.empty() && !o.b.title.empty());
    return modeOk && o.runs > 0 && o.warmup >= 0 && !o.a.argv.empty() && !o.b.argv.empty();
}

std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

void printSubject(const char* key, const Subject& s, bool last) {
    std::printf("  \"%s\": {\"argv\": [", key);
    for (std::size_t i = 0; i < s.argv.size(); ++i) std::printf("%s%s", i ? ", " : "", jsonString(s.argv[i]).c_str());
    std::printf("], \"warmup_ms\": [");
    for (std::size_t i = 0; i < s.warmupMs.size(); ++i) std::printf("%s%.3f", i ? ", " : "", s.warmupMs[i]);
    std::printf("], \"ms\": [");
    for (std::size_t i = 0; i < s.ms.size(); ++i) std::printf("%s%.3f", i ? ", " : "", s.ms[i]);
    std::printf("], \"rss_kb\": [");
    for (std::size_t i = 0; i < s.rssKb.size(); ++i) std::printf("%s%ld", i ? ", " : "", s.rssKb[i]);
    std::printf("]}%s\n", last ? "" : ",");
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parse(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: %s --mode paint|map --runs N [--warmup K] [--timeout S] [--shim LIB] [--log FILE] "
                     "[--title-a T] [--title-b T] -- A ARGS... -- B ARGS...\n",
                     argv[0]);
        return 2;
    }
    const int logFd = ::open(options.log.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    std::optional<probe::XMapWatch> display;
    probe::XMapWatch* watch = nullptr;
    if (options.mode == "map") {
        display.emplace();
        if (!display->ok()) {
            const char* name = std::getenv("DISPLAY");
            std::fprintf(stderr, "cannot open the X display '%s'\n", name != nullptr ? name : "");
            return 1;
        }
        watch = &*display;
    }

    for (int round = 0; round < options.warmup + options.runs; ++round) {
        Subject* order[2] = {&options.a, &options.b};
        if (round % 2 == 1) std::swap(order[0], order[1]);
        for (Subject* subject : order) {
            const Sample sample = watch != nullptr ? mapRun(options, *subject, *watch, logFd)
                                                   : paintRun(options, *subject, logFd);
            if (!sample.ok) {
                std::fprintf(stderr, "%s\n", sample.error.c_str());
                return 1;
            }
            if (round < options.warmup) {
                subject->warmupMs.push_back(sample.ms);
                continue;
            }
            subject->ms.push_back(sample.ms);
            subject->rssKb.push_back(sample.rssKb);
        }
    }
    std::printf("{\n  \"mode\": %s,\n", jsonString(options.mode).c_str());
    printSubject("a", options.a, false);
    printSubject("b", options.b, true);
    std::printf("}\n");
    return 0;
}
