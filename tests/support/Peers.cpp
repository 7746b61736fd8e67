#include "tests/support/Peers.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <thread>

#include "tests/support/ImageMap.h"

namespace peers {

TempDir::TempDir() {
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        path_ = fs::temp_directory_path() / ("dorvane-sample-" + std::to_string(random()));
        if (fs::create_directory(path_)) return;
    }
    throw std::runtime_error("no temporary folder");
}

TempDir::~TempDir() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::string shellQuoted(const fs::path& path) {
    std::string out = "'";
    for (char c : path.string()) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

CommandResult runCommand(const std::string& command, const fs::path& dir) {
    const TempDir capture;
    const fs::path out = capture / "output";
    const fs::path rc = capture / "status";
    const std::string line = "cd " + shellQuoted(dir) + " && PATH=\"$PATH:/usr/sbin:/sbin\" && { " + command + " ; } >" +
                             shellQuoted(out) + " 2>&1 </dev/null; echo $? >" + shellQuoted(rc);
    CommandResult result;
    if (std::system(line.c_str()) != 0) return result;
    result.output = readText(out);
    const std::string status = readText(rc);
    if (!status.empty()) result.exitCode = std::stoi(status);
    return result;
}

CommandResult runSampleTool(const std::vector<std::string>& args, const fs::path& dir) {
    std::string command = shellQuoted(DSCK_SAMPLE_PATH);
    for (const auto& a : args) command += " " + shellQuoted(a);
    return runCommand(command, dir);
}

bool programExists(const std::string& name) {
    return runCommand("command -v " + name, fs::current_path()).exitCode == 0;
}

Bytes readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string readText(const fs::path& path) {
    const Bytes bytes = readFile(path);
    return std::string(bytes.begin(), bytes.end());
}

void writeFile(const fs::path& path, std::span<const std::uint8_t> bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("can't write " + path.string());
}

std::span<const std::uint8_t> sectorOf(const Bytes& image, std::int32_t sector) {
    return std::span(image).subspan(static_cast<std::size_t>(sector) * imagemap::SectorBytes, imagemap::SectorBytes);
}

Bytes rebuildDiskette(const Bytes& image) {
    Bytes disk(2880 * imagemap::SectorBytes, 0);  // a 1.44 MB diskette
    for (std::size_t d = 0; d < imagemap::RawAreaSectors; ++d) {
        const auto from = sectorOf(image, static_cast<std::int32_t>(imagemap::imageSectorFor(d)));
        std::copy(from.begin(), from.end(), disk.begin() + static_cast<std::ptrdiff_t>(d * imagemap::SectorBytes));
    }
    return disk;
}

Bytes carveConsoleProgram(const Bytes& image) {
    Bytes program;
    for (const imagemap::Run& run : imagemap::ConsoleProgramRuns)
        for (std::size_t s = run.first; s <= run.last; ++s) {
            const auto sector = sectorOf(image, static_cast<std::int32_t>(s));
            program.insert(program.end(), sector.begin(), sector.end());
        }
    return program;
}

bool waitUntil(const std::function<bool()>& done, std::chrono::seconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline) return done();
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return true;
}

BackgroundProgram::BackgroundProgram(const std::string& command, const fs::path& dir, const std::string& name)
    : dir_(dir) {
    // `timeout` is the last line of defence should the test itself die; it
    // passes our TERM on to the program.
    const fs::path pidFile = dir / (name + ".pid");
    runCommand("(exec timeout -s KILL 300 " + command + ") >" + name + ".log 2>&1 & echo $! >" + shellQuoted(pidFile),
               dir);
    pid_ = readText(pidFile);
    while (!pid_.empty() && (pid_.back() == '\n' || pid_.back() == ' ')) pid_.pop_back();
}

BackgroundProgram::~BackgroundProgram() {
    if (pid_.empty()) return;
    runCommand("kill " + pid_, dir_);
    const bool gone = waitUntil([&] { return runCommand("kill -0 " + pid_, dir_).exitCode != 0; },
                                std::chrono::seconds(10));
    if (!gone) runCommand("kill -KILL " + pid_, dir_);
}

}  // namespace peers
