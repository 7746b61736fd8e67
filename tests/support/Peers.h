// What the tests that use real peers share: a temporary folder, running dsck-sample and
// the peers (dosfstools, mtools, QEMU, DOSBox) through the shell, and reading
// the image the way the tests' own map says (tests/support/ImageMap.h).
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace peers {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

// A fresh folder, removed with everything in it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const fs::path& path() const { return path_; }
    fs::path operator/(const std::string& name) const { return path_ / name; }

private:
    fs::path path_;
};

struct CommandResult {
    int exitCode = -1;
    std::string output;  // stdout and stderr together
};

// Runs `command` with /bin/sh in `dir` (with /usr/sbin and /sbin on the
// path, where fsck.fat lives), waiting for it to end.
CommandResult runCommand(const std::string& command, const fs::path& dir);

// Runs dsck-sample with `args` in `dir`.
CommandResult runSampleTool(const std::vector<std::string>& args, const fs::path& dir);

bool programExists(const std::string& name);

std::string shellQuoted(const fs::path& path);

Bytes readFile(const fs::path& path);
std::string readText(const fs::path& path);  // empty when the file is missing
void writeFile(const fs::path& path, std::span<const std::uint8_t> bytes);

std::span<const std::uint8_t> sectorOf(const Bytes& image, std::int32_t sector);

// The diskette that the shell's writer must leave in drive A: after its raw
// phase: image sectors placed by the map onto a 1.44 MB diskette.
Bytes rebuildDiskette(const Bytes& image);

// zelkor.exe as the shell must carve it: the map's five runs concatenated.
Bytes carveConsoleProgram(const Bytes& image);

// Polls `done` until it holds or `timeout` passes; returns its last answer.
bool waitUntil(const std::function<bool()>& done, std::chrono::seconds timeout);

// A program running in the background of the test, killed when the object goes.
class BackgroundProgram {
public:
    // Its output goes to <name>.log in `dir`.
    BackgroundProgram(const std::string& command, const fs::path& dir, const std::string& name = "background");
    ~BackgroundProgram();
    BackgroundProgram(const BackgroundProgram&) = delete;
    BackgroundProgram& operator=(const BackgroundProgram&) = delete;

private:
    fs::path dir_;
    std::string pid_;
};

}  // namespace peers
