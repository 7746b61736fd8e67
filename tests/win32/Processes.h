// Waiting for other processes and their windows, always with a bound.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

namespace wintest {

using Milliseconds = std::chrono::milliseconds;

// True when the process ended within the time.
bool waitForExit(std::intptr_t process, unsigned milliseconds);
unsigned long exitCode(std::intptr_t process);

// Polls `condition` until it holds or the time is up; its last answer.
bool waitUntil(const std::function<bool()>& condition, Milliseconds timeout);

}  // namespace wintest
