// What the Linux-service tests share: a temporary working folder per test,
// environment overrides, running the peer tools, diskette images and data.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/posix/PosixKernel.h"

namespace posix::test {

using namespace sys;
using Bytes = std::vector<std::uint8_t>;

constexpr std::uint64_t DisketteBytes = 1474560;
// 2,880 sectors less boot sector, two 9-sector tables and 14 root sectors.
constexpr std::uint32_t DisketteClusters = 2880 - 1 - 18 - 14;

// A fresh working directory for the object's lifetime, removed afterwards.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
    std::string previous_;
};

// Sets (or, with nullopt, unsets) an environment variable until destroyed.
class ScopedEnv {
public:
    ScopedEnv(std::string name, std::optional<std::string> value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string name_;
    std::optional<std::string> saved_;
};

struct RunResult {
    int exitCode = -1;
    std::string output;  // stdout and stderr
};

// Runs a program and waits for it.
RunResult run(const std::vector<std::string>& argv);
// mkfs.fat with the standard 1.44 MB diskette format.
void makeBlankDiskette(const std::string& path);
Bytes readFile(const std::string& path);
void writeFile(const std::string& path, const Bytes& bytes);
// Deterministic bytes that differ everywhere, so misplaced data shows.
Bytes pattern(std::size_t size, std::uint32_t seed);
// Polls `condition` until it holds or `limit` passes.
bool waitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit);

class PosixTest : public ::testing::Test {
protected:
    TempFolder folder_;
    ScopedEnv noDriveOverride_{"DORVANE_DRIVE_A", std::nullopt};
    PosixKernel kernel_;
};

}  // namespace posix::test
