// Starting a program for the start-up probe and collecting its end: the
// clock reading just before the start, and the peak resident memory that
// wait4() reports once it is gone.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

namespace probe {

// CLOCK_MONOTONIC in nanoseconds, the clock the paint shim reports in too.
std::int64_t monotonicNs();

struct Started {
    pid_t pid = -1;
    std::int64_t startNs = 0;  // taken just before the program was started
};

// `extraEnv` entries ("NAME=value") are added to this process's environment.
// The program's output goes to `logFd`; `passFd`, when not -1, is handed to
// it as descriptor `asFd`. Its input is /dev/null.
Started launch(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv, int logFd,
               int passFd = -1, int asFd = -1);

struct Ended {
    bool exited = false;  // on its own, as opposed to not at all yet
    int status = 0;
    long maxRssKb = 0;
};

// Waits for the program's end; with `block` false, only looks.
Ended reap(pid_t pid, bool block);

// Kills the program (not its process group: under Wine that holds the
// server's helpers, which stay warm between runs) and waits for it.
Ended killAndReap(pid_t pid);

}  // namespace probe
