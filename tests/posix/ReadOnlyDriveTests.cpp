// A write-protected drive A:. Tests run as root, and root ignores file
// modes, so a chmod'ed image would prove nothing. Instead a child process
// gets a mount namespace of its own in which the test folder is bound
// read-only: there the image really cannot be written (EROFS), for root too,
// and nobody outside the child sees the mount.
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include "Support.h"

namespace posix::test {
namespace {

constexpr int NoNamespace = 250;

// In the child: make `folder` read-only, then do what the diskette writer
// does. The exit code is the first failure found, 0 for none.
[[noreturn]] void probe(const std::string& folder) {
    if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        ::mount(folder.c_str(), folder.c_str(), nullptr, MS_BIND, nullptr) != 0 ||
        ::mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0 ||
        ::chdir(folder.c_str()) != 0)
        ::_exit(NoNamespace);
    PosixKernel kernel;
    if (kernel.CreateFileA("a:/NEW.TXT", GENERIC_WRITE, 0, CREATE_NEW, 0) != INVALID_HANDLE_VALUE ||
        kernel.GetLastError() != ERROR_WRITE_PROTECT)
        ::_exit(1);
    if (kernel.CreateFileA("\\\\.\\a:", GENERIC_WRITE, 3, OPEN_EXISTING, FILE_FLAG_WRITE_THROUGH) !=
            INVALID_HANDLE_VALUE ||
        kernel.GetLastError() != ERROR_WRITE_PROTECT)
        ::_exit(2);
    // Reading a write-protected diskette still works.
    char sector[512];
    DWORD done = 0;
    const Handle reader = kernel.CreateFileA("\\\\.\\a:", GENERIC_READ, 3, OPEN_EXISTING, 0);
    ::_exit(kernel.ReadFile(reader, sector, 512, &done) && done == 512 ? 0 : 3);
}

TEST_F(PosixTest, WriteProtectedDriveRefusesWrites) {
    makeBlankDiskette("A.img");
    const Bytes before = readFile("A.img");
    const pid_t child = ::fork();
    if (child == 0) probe(folder_.path());
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == NoNamespace) GTEST_SKIP() << "no private mount namespace here (needs CAP_SYS_ADMIN)";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: file create, 2: raw open for writing, 3: raw read";
    EXPECT_EQ(readFile("A.img"), before);
}

}  // namespace
}  // namespace posix::test
