#include "bench/startup/Launch.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>

extern char** environ;

namespace probe {

std::int64_t monotonicNs() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return std::int64_t{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
}

Started launch(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv, int logFd,
               int passFd, int asFd) {
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    std::vector<char*> env;
    for (char** e = environ; *e != nullptr; ++e) env.push_back(*e);
    for (const std::string& e : extraEnv) env.push_back(const_cast<char*>(e.c_str()));
    env.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    if (logFd >= 0) {
        posix_spawn_file_actions_adddup2(&actions, logFd, 1);
        posix_spawn_file_actions_adddup2(&actions, logFd, 2);
    }
    if (passFd >= 0) posix_spawn_file_actions_adddup2(&actions, passFd, asFd);

    Started started;
    started.startNs = monotonicNs();
    const int error = posix_spawnp(&started.pid, args[0], &actions, nullptr, args.data(), env.data());
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) started.pid = -1;
    return started;
}

Ended reap(pid_t pid, bool block) {
    Ended ended;
    rusage usage{};
    int status = 0;
    pid_t got = -1;
    do {
        got = ::wait4(pid, &status, block ? 0 : WNOHANG, &usage);
    } while (got < 0 && errno == EINTR);
    if (got == pid) {
        ended.exited = true;
        ended.status = status;
        ended.maxRssKb = usage.ru_maxrss;
    }
    return ended;
}

Ended killAndReap(pid_t pid) {
    ::kill(pid, SIGKILL);
    return reap(pid, true);
}

}  // namespace probe
