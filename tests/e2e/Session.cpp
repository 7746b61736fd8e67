#include "tests/e2e/Session.h"

#include <grp.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>

#include "app/MainForm.h"
#include "app/Startup.h"
#include "media/CreateDisketteForm.h"
#include "platform/posix/PosixServices.h"
#include "platform/posix/StreamDiagnostics.h"
#include "tests/fakes/AppFixture.h"
#include "tests/fakes/TestBackend.h"
#include "tools/SampleDiskette.h"
#include "tools/SampleImage.h"

namespace e2e {

Session::Session() : previous_(fs::current_path()) {
    peers::writeFile(dir_ / "Dsck.tr", sample::buildImageHead());
    peers::writeFile(dir_ / "A.img", sample::buildBlankDiskette());
    ::unsetenv("DORVANE_DRIVE_A");
    fs::current_path(dir_.path());
}

Session::~Session() { fs::current_path(previous_); }

namespace {

std::string runDialog(posix::PosixServices& system) {
    fakes::AppFixture::ResetGlobals();
    sys::Services services = system.services();
    fakes::TestBackend backend;
    forms::Application app(backend);
    DorvaneMain(app, services);
    Form1->Timer1.tick();
    Form1->CreateDiskette2.click();
    Form2->FirstInformationButton.click();
    Form2->ContinueCreateDisketteButton.click();
    std::string state = "other";
    if (Form2->DisketteCreatedButton.visible() && Form2->DisketteCreatedMemo.visible()) state = "created";
    if (Form2->WriteErrorButton.visible() && Form2->WriteErrorMemo.visible()) state = "write error";
    fakes::AppFixture::ResetGlobals();
    return state;
}

std::string runDialog() {
    posix::PosixServices system;
    return runDialog(system);
}

std::string readAll(int fd) {
    std::string text;
    char buffer[512];
    ssize_t n;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<std::size_t>(n));
    return text;
}

}  // namespace

std::string Session::createDiskette() { return runDialog(); }

ExplainedRun createDisketteExplained(const fs::path& workingFolder, const std::string& drive,
                                     std::optional<RunAs> user, const std::function<bool()>& inChild) {
    int fds[2];
    if (::pipe(fds) != 0) return {};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(fds[0]);
        if (inChild && !inChild()) ::_exit(3);
        if (user && (::setgroups(0, nullptr) != 0 || ::setgid(user->gid) != 0 || ::setuid(user->uid) != 0))
            ::_exit(3);
        if (::chdir(workingFolder.c_str()) != 0) ::_exit(3);
        std::FILE* out = ::fdopen(fds[1], "w");
        if (out == nullptr) ::_exit(3);
        posix::StreamDiagnostics diagnostics(out);
        posix::PosixServices system(diagnostics, drive);
        // The diagnostic lines, then the state on a line of its own.
        const std::string state = runDialog(system);
        std::fprintf(out, "%s\n", state.c_str());
        ::_exit(std::fclose(out) == 0 ? 0 : 4);
    }
    ::close(fds[1]);
    std::string text = readAll(fds[0]);
    ::close(fds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || text.empty()) return {};
    text.pop_back();
    const auto last = text.rfind('\n');
    if (last == std::string::npos) return {text, ""};
    return {text.substr(last + 1), text.substr(0, last + 1)};
}

std::string createDisketteOnReadOnlyFolder(const fs::path& workingFolder, const fs::path& readOnlyFolder) {
    int fds[2];
    if (::pipe(fds) != 0) return "";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(fds[0]);
        const std::string ro = readOnlyFolder.string();
        if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount(ro.c_str(), ro.c_str(), nullptr, MS_BIND, nullptr) != 0 ||
            ::mount(nullptr, ro.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0 ||
            ::chdir(workingFolder.c_str()) != 0)
            ::_exit(3);
        const std::string state = runDialog();
        const ssize_t written = ::write(fds[1], state.data(), state.size());
        ::_exit(written == static_cast<ssize_t>(state.size()) ? 0 : 4);
    }
    ::close(fds[1]);
    std::string state;
    char buffer[64];
    ssize_t n;
    while ((n = ::read(fds[0], buffer, sizeof buffer)) > 0) state.append(buffer, static_cast<std::size_t>(n));
    ::close(fds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? state : "";
}

std::string xvfbDisplayNumber(const fs::path& log, std::chrono::seconds timeout) {
    std::string number;
    peers::waitUntil(
        [&] {
            std::istringstream lines(peers::readText(log));
            for (std::string line; std::getline(lines, line);)
                if (!line.empty() && line.find_first_not_of("0123456789") == std::string::npos) number = line;
            return !number.empty();
        },
        timeout);
    return number;
}

}  // namespace e2e
