#include "platform/posix/PosixShell.h"

#include <cerrno>
#include <cstring>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <utility>

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
        if (ok_) {
            ::posix_spawn_file_actions_destroy(&actions_);
        }
    }
    FileActions(const FileActions&) = delete;
    FileActions& operator=(const FileActions&) = delete;
    bool ok() const { return ok_; }
    posix_spawn_file_actions_t* get() { return &actions_; }

private:
    posix_spawn_file_actions_t actions_{};
    bool ok_ = false;
};

}  // namespace

PosixShell::PosixShell(std::string handler) : handler_(std::move(handler)) {}

std::intptr_t PosixShell::ShellExecuteA(const char* verb, const char* file, const char*, const char* directory,
                                        int) {
    if (file == nullptr || *file == '\0') {
        return SE_ERR_FNF;
    }
    // The handler only knows how to open.
    if (verb != nullptr && *verb != '\0' && std::strcmp(verb, "open") != 0) {
        return SE_ERR_NOASSOC;
    }
    FileActions actions;
    if (!actions.ok()) {
        return SE_ERR_OOM;
    }
    if (directory != nullptr && *directory != '\0' &&
        ::posix_spawn_file_actions_addchdir_np(actions.get(), directory) != 0) {
        return SE_ERR_OOM;
    }
    // The address travels as one argument vector entry, never through a
    // shell, so blanks, '&', quotes or line breaks in it mean nothing.
    std::string program = handler_;
    std::string address = file;
    char* argv[] = {program.data(), address.data(), nullptr};
    pid_t child = 0;
    const int error = ::posix_spawnp(&child, program.c_str(), actions.get(), nullptr, argv, environ);
    if (error != 0) {
        return spawnError(error);
    }
    // Someone must collect the handler's exit status or it stays a zombie.
    // A detached thread waits for this one child, so the caller never
    // blocks and no SIGCHLD handling is imposed on the rest of the program.
    std::thread([child] {
        while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
        }
    }).detach();
    return Succeeded;
}

}  // namespace posix
