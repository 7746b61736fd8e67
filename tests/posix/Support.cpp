#include "Support.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/wait.h>
#include <thread>

namespace posix::test {

TempFolder::TempFolder() : previous_(std::filesystem::current_path().string()) {
    std::string name = (std::filesystem::temp_directory_path() / "dorvane-posix-XXXXXX").string();
    if (::mkdtemp(name.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = name;
    std::filesystem::current_path(path_);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
    std::filesystem::remove_all(path_, ignored);
}

ScopedEnv::ScopedEnv(std::string name, std::optional<std::string> value) : name_(std::move(name)) {
    if (const char* old = std::getenv(name_.c_str())) saved_ = old;
    value ? ::setenv(name_.c_str(), value->c_str(), 1) : ::unsetenv(name_.c_str());
}

ScopedEnv::~ScopedEnv() { saved_ ? ::setenv(name_.c_str(), saved_->c_str(), 1) : ::unsetenv(name_.c_str()); }

RunResult run(const std::vector<std::string>& argv) {
    std::string command;
    for (const auto& arg : argv) command += "'" + arg + "' ";  // the tests pass no quotes
    RunResult result;
    FILE* pipe = ::popen((command + "</dev/null 2>&1").c_str(), "r");
    char buffer[4096];
    for (std::size_t n = 0; pipe != nullptr && (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        result.output.append(buffer, n);
    const int status = pipe != nullptr ? ::pclose(pipe) : -1;
    result.exitCode = status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

void makeBlankDiskette(const std::string& path) {
    const RunResult made = run({"mkfs.fat", "-C", "-F", "12", "-f", "2", "-r", "224", "-S", "512", "-s", "1", "-M",
                                "0xF0", path, "1440"});
    ASSERT_EQ(made.exitCode, 0) << "mkfs.fat (package dosfstools): " << made.output;
}

Bytes readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes pattern(std::size_t size, std::uint32_t seed) {
    Bytes bytes(size);
    std::uint32_t state = seed * 2654435761u | 1;
    for (auto& b : bytes) {
        state ^= state << 13, state ^= state >> 17, state ^= state << 5;
        b = static_cast<std::uint8_t>(state);
    }
    return bytes;
}

bool waitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

}  // namespace posix::test
