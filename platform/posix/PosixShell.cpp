#include "platform/posix/PosixShell.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

extern char** environ;

namespace posix {
namespace {

// ShellExecute's error results (values of 32 and below).
constexpr std::intptr_t SE_ERR_FNF = 2;
constexpr std::intptr_t SE_ERR_ACCESSDENIED = 5;
constexpr std::intptr_t SE_ERR_OOM = 8;
constexpr std::intptr_t SE_ERR_NOASSOC = 31;
constexpr std::intptr_t Succeeded = 42;

std::intptr_t spawnError(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR: return SE_ERR_FNF;
    case EACCES:
    case EPERM: return SE_ERR_ACCESSDENIED;
    case ENOMEM:
    case EAGAIN: return SE_ERR_OOM;
    default: return SE_ERR_FNF;
    }
}

class FileActions {
public:
    FileActions() { ok_ = ::posix_spawn_file_actions_init(&actions_) == 0; }
    ~FileActions() {
        if (ok_) ::posix_spawn_file_actions_destroy(&actions_);
    }
    FileActions(const FileActions&) = delete;
    FileActions& operator=(const FileActions&) = delete;
    bool ok() const { return ok_; }
    posix_spawn_file_actions_t* get() { return &actions_; }

private:
    posix_spawn_file_actions_t actions_{};
    bool ok_ = false;
};

// The handler starts with every signal as a new program has it, whatever
// this program blocks or ignores.
class SpawnAttributes {
public:
    SpawnAttributes() {
        ok_ = ::posix_spawnattr_init(&attributes_) == 0;
        if (!ok_) return;
        sigset_t none;
        sigemptyset(&none);
        sigset_t defaults;
        sigfillset(&defaults);
        ok_ = ::posix_spawnattr_setsigmask(&attributes_, &none) == 0 &&
              ::posix_spawnattr_setsigdefault(&attributes_, &defaults) == 0 &&
              ::posix_spawnattr_setflags(&attributes_, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF) == 0;
    }
    ~SpawnAttributes() { ::posix_spawnattr_destroy(&attributes_); }
    SpawnAttributes(const SpawnAttributes&) = delete;
    SpawnAttributes& operator=(const SpawnAttributes&) = delete;
    bool ok() const { return ok_; }
    const posix_spawnattr_t* get() const { return &attributes_; }

private:
    posix_spawnattr_t attributes_{};
    bool ok_ = false;
};

}  // namespace

// The files of handlers that failed, and a pipe that holds a byte for each.
struct PosixShell::Ended {
    Ended() {
        if (::pipe2(pipe, O_CLOEXEC | O_NONBLOCK) != 0) pipe[0] = pipe[1] = -1;
    }
    ~Ended() {
        for (int fd : pipe)
            if (fd >= 0) ::close(fd);
    }
    void add(std::string file) {
        const std::lock_guard<std::mutex> guard(mutex);
        files.push_back(std::move(file));
        const char one = 1;
        [[maybe_unused]] const ssize_t written = ::write(pipe[1], &one, 1);
    }
    std::vector<std::string> take() {
        char bytes[64];
        while (::read(pipe[0], bytes, sizeof bytes) > 0) {}
        const std::lock_guard<std::mutex> guard(mutex);
        return std::exchange(files, {});
    }

    int pipe[2];
    std::mutex mutex;
    std::vector<std::string> files;
};

PosixShell::PosixShell(std::string handler) : handler_(std::move(handler)), ended_(std::make_shared<Ended>()) {}

void PosixShell::WatchHandlers(std::function<void(const std::string& file)> failed) { failed_ = std::move(failed); }

int PosixShell::endedHandlers() const { return ended_->pipe[0]; }

void PosixShell::collectEndedHandlers() {
    for (const std::string& file : ended_->take())
        if (failed_) failed_(file);
}

std::intptr_t PosixShell::ShellExecuteA(const char* verb, const char* file, const char*, const char* directory, int) {
    if (file == nullptr || *file == '\0') return SE_ERR_FNF;
    // The handler only knows how to open.
    if (verb != nullptr && *verb != '\0' && std::strcmp(verb, "open") != 0) return SE_ERR_NOASSOC;
    FileActions actions;
    const SpawnAttributes attributes;
    if (!actions.ok() || !attributes.ok()) return SE_ERR_OOM;
    if (directory != nullptr && *directory != '\0' &&
        ::posix_spawn_file_actions_addchdir_np(actions.get(), directory) != 0)
        return SE_ERR_OOM;
    // The address travels as one argument vector entry, never through a
    // shell, so blanks, '&', quotes or line breaks in it mean nothing.
    std::string program = handler_;
    std::string address = file;
    char* argv[] = {program.data(), address.data(), nullptr};
    pid_t child = 0;
    const int error = ::posix_spawnp(&child, program.c_str(), actions.get(), attributes.get(), argv, environ);
    if (error != 0) return spawnError(error);
    // Someone must collect the handler's exit status or it stays a zombie.
    // A detached thread waits for this one child, so the caller never
    // blocks and no SIGCHLD handling is imposed on the rest of the program;
    // a non-zero status is noted for the watcher, whenever it comes.
    std::thread([child, ended = ended_, address] {
        int status = 0;
        while (::waitpid(child, &status, 0) < 0) {
            if (errno != EINTR) {
                return;
            }
        }
        if (WIFEXITED(status) && WEXITSTATUS(status) != 0) {
            ended->add(address);
        }
    }).detach();
    return Succeeded;
}

}  // namespace posix
