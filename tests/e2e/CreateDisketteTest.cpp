// Create Diskette from the sample image onto a 1.44 MB image file, through
// the real Linux services, then judged by programs nobody here wrote.
#include <gtest/gtest.h>

#include <sys/file.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <regex>

#include "tests/e2e/Session.h"
#include "tests/fakes/Report.h"
#include "tools/SampleDiskette.h"

namespace e2e {
namespace {

using peers::Bytes;
using peers::readFile;
using peers::runCommand;

Bytes sectorsOf(const Bytes& disk, std::size_t first, std::size_t count) {
    return Bytes(disk.begin() + static_cast<std::ptrdiff_t>(first * 512),
                 disk.begin() + static_cast<std::ptrdiff_t>((first + count) * 512));
}

class CreateDiskette : public ::testing::Test {
protected:
    Session session;
};

TEST_F(CreateDiskette, MakesADisketteThatPeersAcceptAndThatBoots) {
    const Bytes image = readFile(session / "Dsck.tr");
    ASSERT_EQ(session.createDiskette(), "created");
    const Bytes disk = readFile(session / "A.img");
    ASSERT_EQ(disk.size(), 1474560u);  // the raw access never grows its target

    const auto fsck = runCommand("fsck.fat -n A.img", session.dir());
    EXPECT_EQ(fsck.exitCode, 0) << fsck.output;

    const auto listing = runCommand("mdir -i A.img ::", session.dir());
    ASSERT_EQ(listing.exitCode, 0) << listing.output;
    EXPECT_TRUE(std::regex_search(listing.output, std::regex("DSCK +TR +720896 "))) << listing.output;
    EXPECT_TRUE(std::regex_search(listing.output, std::regex("ZELKOR +EXE +96256 "))) << listing.output;

    ASSERT_EQ(runCommand("mcopy -n -i A.img ::DSCK.TR dsck.out && mcopy -n -i A.img ::ZELKOR.EXE zelkor.out",
                         session.dir())
                  .exitCode,
              0);
    EXPECT_EQ(readFile(session / "dsck.out"), sectorsOf(image, 0, 1408));
    EXPECT_EQ(readFile(session / "zelkor.out"), peers::carveConsoleProgram(image));

    // Sector 0 and the sample's own data sectors are the image's, by the
    // placements; 1-32 are the tables and root directory the files changed.
    const Bytes rebuilt = peers::rebuildDiskette(image);
    EXPECT_EQ(sectorsOf(disk, 0, 1), sectorsOf(image, 244, 1));
    EXPECT_EQ(sectorsOf(disk, 33, 788 - 33), sectorsOf(rebuilt, 33, 788 - 33));
    EXPECT_EQ(readFile(session / "Dsck.tr"), image);  // the image is never changed

    if (!peers::programExists("qemu-system-i386")) GTEST_SKIP() << "skipped: qemu-system-i386 missing";
    const std::string message(sample::SampleBootMessage.substr(0, sample::SampleBootMessage.find('\r')));
    const auto serial = session / "serial.txt";
    const peers::BackgroundProgram qemu("qemu-system-i386 -drive file=A.img,if=floppy,format=raw,index=0 "
                                        "-boot a -display none -monitor none -no-reboot -serial file:serial.txt",
                                        session.dir());
    EXPECT_TRUE(peers::waitUntil([&] { return peers::readText(serial).find(message) != std::string::npos; },
                                 std::chrono::seconds(60)))
        << peers::readText(serial);
}

// The raw area carries the sample's own tables and root directory, so a run
// starts from a clean file system whatever the diskette held before.
TEST_F(CreateDiskette, ASecondRunOnTheSameDisketteStartsOver) {
    ASSERT_EQ(session.createDiskette(), "created");
    ASSERT_EQ(session.createDiskette(), "created");
    EXPECT_EQ(runCommand("fsck.fat -n A.img", session.dir()).exitCode, 0);
    const auto listing = runCommand("mdir -i A.img ::", session.dir());
    EXPECT_TRUE(std::regex_search(listing.output, std::regex("6 files"))) << listing.output;
}

TEST_F(CreateDiskette, BadTargetsEndInTheWriteErrorState) {
    struct Case {
        const char* what;
        std::function<void(const Session&)> prepare;
    } cases[] = {
        {"no A.img", [](const Session& s) { std::filesystem::remove(s / "A.img"); }},
        {"A.img too small for a diskette", [](const Session& s) { std::filesystem::resize_file(s / "A.img", 200 * 512); }},
        {"DORVANE_DRIVE_A names a missing device",
         [](const Session&) { ::setenv("DORVANE_DRIVE_A", "/nonexistent/fd0", 1); }},
        {"no Dsck.tr", [](const Session& s) { std::filesystem::remove(s / "Dsck.tr"); }},
        {"short Dsck.tr", [](const Session& s) { std::filesystem::resize_file(s / "Dsck.tr", 1320 * 512); }},
    };
    for (const Case& c : cases) {
        Session s;
        c.prepare(s);
        const bool hadDisk = std::filesystem::exists(s / "A.img");
        const Bytes before = hadDisk ? readFile(s / "A.img") : Bytes{};
        EXPECT_EQ(s.createDiskette(), "write error") << c.what;
        ::unsetenv("DORVANE_DRIVE_A");
        EXPECT_EQ(std::filesystem::exists(s / "A.img"), hadDisk) << c.what;
        if (hadDisk) {
            EXPECT_EQ(readFile(s / "A.img"), before) << c.what;
        }
    }
}

// Drive A: images of several sizes, through the real services: a target
// that is not a 1.44 MB diskette ends in the write error with every byte as
// it was (a 720 KB or a 2.88 MB diskette keeps its file system and its
// file; a 100 MB image is a disk named by mistake); a 1.44 MB one is made
// into the diskette.
TEST(CreateDisketteTargets, TargetsOtherThanADisketteAreLeftByteForByteAsTheyWere) {
    const bool fatTools = peers::programExists("mkfs.fat") && peers::programExists("mcopy");
    struct Case {
        const char* what;
        std::size_t bytes;
        bool formatted;  // a FAT12 file system holding one file, made by mkfs.fat and mcopy
        const char* state;
    } cases[] = {
        {"100 KB", 102'400, false, "write error"},
        {"720 KB diskette with a file", 737'280, true, "write error"},
        {"one sector short of 1.44 MB", 1'474'048, false, "write error"},
        {"1.44 MB", 1'474'560, false, "created"},
        {"2.88 MB diskette with a file", 2'949'120, true, "write error"},
        {"100 MB", 104'857'600, false, "write error"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Session s;
        if (c.formatted) {
            if (!fatTools) {
                ADD_FAILURE() << "mkfs.fat and mcopy are needed for " << c.what;
                continue;
            }
            std::filesystem::remove(s / "A.img");
            peers::writeFile(s / "LETTER.TXT", Bytes(5000, 'x'));
            ASSERT_EQ(runCommand("mkfs.fat -C A.img " + std::to_string(c.bytes / 1024) + " >/dev/null && "
                                 "mcopy -i A.img LETTER.TXT ::",
                                 s.dir())
                          .exitCode,
                      0);
        } else if (c.bytes != 1'474'560) {
            Bytes pattern(c.bytes);
            for (std::size_t i = 0; i < pattern.size(); ++i) pattern[i] = static_cast<std::uint8_t>(i * 7 + i / 512);
            peers::writeFile(s / "A.img", pattern);
        }
        const Bytes before = readFile(s / "A.img");
        ASSERT_EQ(before.size(), c.bytes);

        const std::string state = s.createDiskette();
        EXPECT_EQ(state, c.state);
        const Bytes after = readFile(s / "A.img");
        ASSERT_EQ(after.size(), c.bytes);  // never grown or cut
        const bool unchanged = after == before;
        if (std::string(c.state) == "write error")
            EXPECT_TRUE(unchanged);
        else
            EXPECT_EQ(runCommand("fsck.fat -n A.img", s.dir()).exitCode, 0);
        if (c.formatted) {
            const auto listing = runCommand("mdir -i A.img ::", s.dir());
            EXPECT_TRUE(std::regex_search(listing.output, std::regex("LETTER +TXT +5000 "))) << listing.output;
        }
        fakes::ReportRow("diskette-targets", {"Linux services, image file", c.what, std::to_string(c.bytes), state,
                                              unchanged ? "unchanged" : "made into the diskette"});
    }
}

// Regeneration images of every troublesome kind, through the real services:
// where the image can't serve, the diskette image is left exactly as it was.
TEST(CreateDisketteBadImages, EachEndsInItsStateAndNothingIsWrittenWhereTheImageCannotServe) {
    namespace fs = std::filesystem;
    const auto sized = [](std::uintmax_t sectors) {
        return [sectors](const Session& s) {
            if (sectors > 1408) {
                ASSERT_EQ(peers::runSampleTool({"--sectors", std::to_string(sectors)}, s.dir()).exitCode, 0);
            }
            fs::resize_file(s / "Dsck.tr", sectors * 512);
        };
    };
    struct Case {
        const char* what;
        std::function<void(const Session&)> prepare;
        bool serves;
    } cases[] = {
        {"missing", [](const Session& s) { fs::remove(s / "Dsck.tr"); }, false},
        {"a folder named Dsck.tr",
         [](const Session& s) {
             fs::remove(s / "Dsck.tr");
             fs::create_directory(s / "Dsck.tr");
         },
         false},
        {"0 sectors", sized(0), false},
        {"1 sector", sized(1), false},
        {"787 sectors", sized(787), false},
        {"788 sectors", sized(788), false},
        {"1,320 sectors", sized(1320), false},
        {"1,321 sectors", sized(1321), true},
        {"1,407 sectors", sized(1407), true},
        {"1,408 sectors", sized(1408), true},
        {"3,000 sectors", sized(3000), true},
    };
    for (const Case& c : cases) {
        Session s;
        c.prepare(s);
        const Bytes before = readFile(s / "A.img");
        const std::string state = s.createDiskette();
        EXPECT_EQ(state, c.serves ? "created" : "write error") << c.what;
        const bool untouched = readFile(s / "A.img") == before;
        if (!c.serves) {
            EXPECT_TRUE(untouched) << c.what;
        }
        fakes::ReportRow("bad-images", {"Linux services", "Create Diskette", c.what, state,
                                        untouched ? "nothing" : "diskette written"});
    }

    // Held open by another program: it holds the file's exclusive lock.
    Session s;
    const int holder = ::open((s / "Dsck.tr").c_str(), O_RDONLY);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(::flock(holder, LOCK_EX | LOCK_NB), 0);
    const Bytes before = readFile(s / "A.img");
    const std::string state = s.createDiskette();
    ::close(holder);
    EXPECT_EQ(state, "write error");
    EXPECT_EQ(readFile(s / "A.img"), before);
    fakes::ReportRow("bad-images", {"Linux services", "Create Diskette", "held open by another program", state,
                                    readFile(s / "A.img") == before ? "nothing" : "diskette written"});
}

TEST(CreateDisketteReadOnly, AReadOnlyDiskImageGivesTheWriteErrorAndStaysUnchanged) {
    Session s;
    std::filesystem::create_directory(s / "ro");
    std::filesystem::rename(s / "A.img", s / "ro" / "A.img");
    ::setenv("DORVANE_DRIVE_A", "ro/A.img", 1);
    const Bytes before = readFile(s / "ro" / "A.img");
    const std::string state = createDisketteOnReadOnlyFolder(s.dir(), s / "ro");
    ::unsetenv("DORVANE_DRIVE_A");
    if (state.empty()) GTEST_SKIP() << "skipped: no private mount namespace here";
    EXPECT_EQ(state, "write error");
    EXPECT_EQ(readFile(s / "ro" / "A.img"), before);
}

}  // namespace
}  // namespace e2e
