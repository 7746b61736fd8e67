// A Create Diskette that fails for each cause a Linux user can meet, through
// the real Linux services, and the one line the program writes for it. The
// suites run as root, so the permission causes run in a child that has
// become "nobody"; the device causes use a loop device where one can be made.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "tests/e2e/Session.h"

namespace e2e {
namespace {

constexpr const char* Failed = "dorvane-shell: Create Diskette failed: ";

std::optional<RunAs> nobody() {
    const struct passwd* user = ::getpwnam("nobody");
    if (user == nullptr) return std::nullopt;
    return RunAs{user->pw_uid, user->pw_gid};
}

// Lets "nobody" into the session's folder to read Dsck.tr.
void openToOthers(const Session& session) { fs::permissions(session.dir(), fs::perms(0755)); }

struct CauseRow {
    const char* cause;
    // Prepares the folder; returns what --drive names ("" for none).
    std::function<std::string(Session&)> prepare;
    bool asNobody;
    // The line after Failed, given the session's folder.
    std::function<std::string(const fs::path&)> line;
};

const CauseRow CauseRows[] = {
    {"regeneration image missing",
     [](Session& s) { fs::remove(s / "Dsck.tr"); return std::string(); }, false,
     [](const fs::path& dir) { return "cannot open " + (dir / "Dsck.tr").string() + ": no such file"; }},
    {"regeneration image too short",
     [](Session& s) { peers::writeFile(s / "Dsck.tr", peers::Bytes(1000 * 512)); return std::string(); }, false,
     [](const fs::path&) {
         return std::string("the regeneration image Dsck.tr is too short: 512000 bytes, at least 676352 needed");
     }},
    {"regeneration image a loop of symbolic links",
     [](Session& s) {
         fs::remove(s / "Dsck.tr");
         fs::create_symlink("Dsck.tr", s / "Dsck.tr");
         return std::string();
     },
     false,
     [](const fs::path& dir) {
         return "cannot open " + (dir / "Dsck.tr").string() +
                ": a loop of symbolic links: one of them, or a folder's, points back";
     }},
    {"regeneration image a folder",
     [](Session& s) { fs::remove(s / "Dsck.tr"); fs::create_directory(s / "Dsck.tr"); return std::string(); }, false,
     [](const fs::path& dir) { return "cannot open " + (dir / "Dsck.tr").string() + ": not a regular file but a folder"; }},
    {"regeneration image a named pipe",
     [](Session& s) { fs::remove(s / "Dsck.tr"); ::mkfifo((s / "Dsck.tr").c_str(), 0644); return std::string(); }, false,
     [](const fs::path& dir) {
         return "cannot open " + (dir / "Dsck.tr").string() + ": not a regular file but a named pipe (FIFO)";
     }},
    {"regeneration image the user may not read",
     [](Session& s) { openToOthers(s); fs::permissions(s / "Dsck.tr", fs::perms(0600)); return std::string(); }, true,
     [](const fs::path& dir) {
         const std::string path = (dir / "Dsck.tr").string();
         return "cannot read " + path + ": permission denied; only its owner (root) or root may read it; either can "
                "make it readable: chmod a+r " + path;
     }},
    {"drive A: missing, --drive over DORVANE_DRIVE_A",
     [](Session&) { ::setenv("DORVANE_DRIVE_A", "A.img", 1); return std::string("absent.img"); }, false,
     [](const fs::path&) {
         return std::string("drive A: (absent.img): no such image file or device; name it with --drive PATH or "
                            "DORVANE_DRIVE_A, or put A.img in the working folder");
     }},
    {"drive A: missing, DORVANE_DRIVE_A over A.img",
     [](Session&) { ::setenv("DORVANE_DRIVE_A", "absent-too.img", 1); return std::string(); }, false,
     [](const fs::path&) {
         return std::string("drive A: (absent-too.img): no such image file or device; name it with --drive PATH "
                            "or DORVANE_DRIVE_A, or put A.img in the working folder");
     }},
    {"drive A: image too small",
     [](Session& s) { peers::writeFile(s / "small.img", peers::Bytes(100 * 512)); return std::string("small.img"); },
     false,
     [](const fs::path&) {
         return std::string("drive A: (small.img) is too small: 51200 bytes, where a 1.44 MB diskette has 1474560");
     }},
    {"drive A: image too large for a diskette",
     [](Session& s) { peers::writeFile(s / "big.img", peers::Bytes(5760 * 512)); return std::string("big.img"); },
     false,
     [](const fs::path&) {
         return std::string("drive A: (big.img) is too large for a diskette: 2949120 bytes, where a 1.44 MB "
                            "diskette has 1474560; name the floppy drive or a diskette image with --drive PATH");
     }},
    {"drive A: a folder",
     [](Session& s) { fs::create_directory(s / "folder"); return std::string("folder"); }, false,
     [](const fs::path&) { return std::string("drive A: (folder) is neither a diskette image file nor a block device"); }},
    {"drive A: image the user may not write",
     [](Session& s) { openToOthers(s); return std::string(); }, true,
     [](const fs::path&) {
         return std::string("cannot write drive A: (A.img): permission denied; only its owner (root) or root may "
                            "write it");
     }},
};

TEST(FailureCause, EachCauseWritesOneLineNamingItAndItsPath) {
    ASSERT_EQ(::geteuid(), 0u) << "the permission rows need root to become another user";
    for (const CauseRow& row : CauseRows) {
        SCOPED_TRACE(row.cause);
        Session session;
        const std::string drive = row.prepare(session);
        const ExplainedRun run =
            createDisketteExplained(session.dir(), drive, row.asNobody ? nobody() : std::nullopt);
        ::unsetenv("DORVANE_DRIVE_A");
        EXPECT_EQ(run.state, "write error");
        EXPECT_EQ(run.lines, Failed + row.line(session.dir()) + "\n");
    }
}

TEST(FailureCause, ASuccessfulRunWritesNothing) {
    Session session;
    const ExplainedRun run = createDisketteExplained(session.dir(), "");
    EXPECT_EQ(run.state, "created");
    EXPECT_EQ(run.lines, "");
}

// A loop device over an image of the session's folder (the blank diskette
// unless told), detached when it goes.
class LoopDevice {
public:
    explicit LoopDevice(const Session& session, const std::string& image = "A.img", const std::string& options = "")
        : session_(session) {
        const auto made = peers::runCommand("losetup -f --show " + options + " " + image, session.dir());
        if (made.exitCode == 0 && made.output.rfind("/dev/loop", 0) == 0)
            path_ = made.output.substr(0, made.output.find('\n'));
    }
    ~LoopDevice() {
        if (!path_.empty()) peers::runCommand("losetup -d " + path_, session_.dir());
    }
    const std::string& path() const { return path_; }

private:
    const Session& session_;
    std::string path_;
};

TEST(FailureCause, ADeviceOfAGroupTheUserIsNotIn) {
    Session session;
    const LoopDevice loop(session);
    if (loop.path().empty()) GTEST_SKIP() << "skipped: no loop device can be made here";
    const struct group* disk = ::getgrnam("disk");
    if (disk == nullptr) GTEST_SKIP() << "skipped: no group disk";
    struct stat before {};
    ASSERT_EQ(::stat(loop.path().c_str(), &before), 0);
    // As udev leaves a disk: root's, writable by its group.
    ASSERT_EQ(::chown(loop.path().c_str(), 0, disk->gr_gid), 0);
    ASSERT_EQ(::chmod(loop.path().c_str(), 0660), 0);
    openToOthers(session);
    const ExplainedRun run = createDisketteExplained(session.dir(), loop.path(), nobody());
    EXPECT_EQ(::chown(loop.path().c_str(), before.st_uid, before.st_gid), 0);
    EXPECT_EQ(::chmod(loop.path().c_str(), before.st_mode & 07777), 0);
    EXPECT_EQ(run.state, "write error");
    EXPECT_EQ(run.lines, std::string(Failed) + "cannot write drive A: (" + loop.path() +
                             "): permission denied; members of the group that owns it (disk) may write it: sudo "
                             "usermod -aG disk $USER, then log in again; or run as root\n");
}

// A 100 MB disk holding a file system, named as drive A: by mistake: refused
// with its size, and not a byte of it changes.
TEST(FailureCause, ADiskLargerThanADisketteIsLeftAsItWas) {
    Session session;
    peers::writeFile(session / "disk.img", peers::Bytes(100 * 1024 * 1024));
    ASSERT_EQ(peers::runCommand("mkfs.ext4 -q -F disk.img", session.dir()).exitCode, 0);
    const peers::Bytes before = peers::readFile(session / "disk.img");
    const LoopDevice loop(session, "disk.img");
    // Where no loop device can be made, the image itself stands for the disk.
    const std::string target = loop.path().empty() ? "disk.img" : loop.path();
    const ExplainedRun run = createDisketteExplained(session.dir(), target);
    EXPECT_EQ(run.state, "write error");
    EXPECT_EQ(run.lines, std::string(Failed) + "drive A: (" + target +
                             ") is too large for a diskette: 104857600 bytes, where a 1.44 MB diskette has "
                             "1474560; name the floppy drive or a diskette image with --drive PATH\n");
    EXPECT_TRUE(peers::readFile(session / "disk.img") == before);
    EXPECT_EQ(peers::runCommand("e2fsck -n -f disk.img", session.dir()).exitCode, 0);
}

// A device set read-only refuses writes as a write-protected diskette does.
TEST(FailureCause, AWriteProtectedDevice) {
    Session session;
    const LoopDevice loop(session, "A.img", "--read-only");
    if (loop.path().empty()) GTEST_SKIP() << "skipped: no loop device can be made here";
    const ExplainedRun run = createDisketteExplained(session.dir(), loop.path());
    EXPECT_EQ(run.state, "write error");
    EXPECT_EQ(run.lines, std::string(Failed) + "cannot write drive A: (" + loop.path() +
                             "): write-protected: slide the diskette's tab to close its window, or, for a device set "
                             "read-only, blockdev --setrw " + loop.path() + "\n");
}

// Drive A:'s image on a file system that fills up while the files are
// written: the words name that file system's folder, not the diskette.
TEST(FailureCause, AFullFileSystemUnderTheImageIsNotAFullDiskette) {
    Session session;
    const fs::path small = session / "small";
    fs::create_directory(small);
    const peers::Bytes blank = peers::readFile(session / "A.img");
    const auto onSmallFileSystem = [&] {
        if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("tmpfs", small.c_str(), "tmpfs", 0, "size=1m") != 0)
            return false;
        // Sparse: only the boot sector, the tables and the root folder take room.
        peers::writeFile(small / "A.img", std::span(blank.data(), 33 * 512));
        return ::truncate((small / "A.img").c_str(), static_cast<off_t>(blank.size())) == 0;
    };
    const ExplainedRun run = createDisketteExplained(session.dir(), "small/A.img", std::nullopt, onSmallFileSystem);
    if (run.state.empty()) GTEST_SKIP() << "skipped: no private mount namespace with a tmpfs here";
    EXPECT_EQ(run.state, "write error");
    EXPECT_EQ(run.lines, std::string(Failed) + "cannot write a:Dsck.tr on drive A: (small/A.img): no space left on "
                             "the file system that holds the image (" + small.string() +
                             "), not on the diskette: free some space there\n");
}

TEST(FailureCause, AMountedDevice) {
    Session session;
    const LoopDevice loop(session);
    if (loop.path().empty()) GTEST_SKIP() << "skipped: no loop device can be made here";
    fs::create_directory(session / "mnt");
    const bool mounted = peers::runCommand("mount -t vfat " + loop.path() + " mnt", session.dir()).exitCode == 0;
    // Where this kernel has no vfat, an exclusive open claims the device as a
    // mount does: the kernel refuses the shell's own exclusive open for both.
    const int claim = mounted ? -1 : ::open(loop.path().c_str(), O_RDONLY | O_EXCL | O_CLOEXEC);
    ASSERT_TRUE(mounted || claim >= 0);
    const ExplainedRun run = createDisketteExplained(session.dir(), loop.path());
    if (mounted) peers::runCommand("umount mnt", session.dir());
    else ::close(claim);
    EXPECT_EQ(run.state, "write error");
    EXPECT_EQ(run.lines, std::string(Failed) + "drive A: (" + loop.path() + ") is mounted or in use: unmount it (umount " +
                             loop.path() + ") and try again\n");
}

}  // namespace
}  // namespace e2e
