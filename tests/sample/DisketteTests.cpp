// The diskette that the image's raw area rebuilds, and the blank diskette,
// checked with dosfstools and mtools.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

#include "tests/support/ImageMap.h"
#include "tests/support/Peers.h"
#include "tools/SectorPattern.h"

namespace peers {
namespace {

constexpr std::size_t ShellFileBytes = 720896 + 96256;  // a:/Dsck.tr and a:zelkor.exe

// "1 071 104 bytes free" at the end of mdir's listing.
long long freeBytes(const std::string& listing) {
    std::smatch m;
    if (!std::regex_search(listing, m, std::regex("([0-9 ]+) bytes free"))) return -1;
    std::string digits = m[1];
    digits.erase(std::remove(digits.begin(), digits.end(), ' '), digits.end());
    return std::stoll(digits);
}

class RebuiltDiskette : public ::testing::Test {
protected:
    void SetUp() override {
        const auto run = runSampleTool({}, dir.path());
        ASSERT_EQ(run.exitCode, 0) << run.output;
        image = readFile(dir / "Dsck.tr");
        disk = rebuildDiskette(image);
        writeFile(dir / "disk.img", disk);
    }
    CommandResult peer(const std::string& command) { return runCommand(command + " -i disk.img", dir.path()); }

    TempDir dir;
    Bytes image;
    Bytes disk;
};

TEST_F(RebuiltDiskette, PassesFsckAndUsesEveryDataSectorUpTo787) {
    const auto fsck = runCommand("fsck.fat -n disk.img", dir.path());
    ASSERT_EQ(fsck.exitCode, 0) << fsck.output;
    // 755 clusters are data sectors 33-787: all used, nothing free before 788.
    EXPECT_NE(fsck.output.find("755/2847 clusters"), std::string::npos) << fsck.output;
}

TEST_F(RebuiltDiskette, HasTheGeometryOfA144MegabyteDiskette) {
    const auto info = peer("minfo");
    ASSERT_EQ(info.exitCode, 0) << info.output;
    for (const char* line : {"sectors per track: 18", "heads: 2", "cylinders: 80", "media byte: f0",
                             "sector size: 512 bytes", "small size: 2880 sectors"})
        EXPECT_NE(info.output.find(line), std::string::npos) << line << "\n" << info.output;
}

TEST_F(RebuiltDiskette, ListsTheLabelAndTheSampleFilesAndLeavesRoomForTheShellsTwoFiles) {
    const auto listing = peer("mdir");
    ASSERT_EQ(listing.exitCode, 0) << listing.output;
    for (const char* text : {"Volume in drive : is DORVANE", "README   TXT", "AUTOEXEC BAT", "CONFIG   SYS",
                             "SECTORS  DAT"})
        EXPECT_NE(listing.output.find(text), std::string::npos) << text << "\n" << listing.output;
    EXPECT_GE(freeBytes(listing.output), static_cast<long long>(ShellFileBytes)) << listing.output;

    const auto readme = runCommand("mtype -i disk.img ::README.TXT", dir.path());
    EXPECT_NE(readme.output.find("sample without the regeneration program"), std::string::npos) << readme.output;
}

// Their directory entries count their text exactly: no padding up to the
// cluster, no terminating NUL, no last line cut short.
TEST_F(RebuiltDiskette, TextFilesHoldExactlyTheirText) {
    for (const std::string name : {"README.TXT", "AUTOEXEC.BAT", "CONFIG.SYS"}) {
        fs::remove(dir / "text.out");
        const auto copy = runCommand("mcopy -n -i disk.img ::" + name + " text.out", dir.path());
        ASSERT_EQ(copy.exitCode, 0) << name << ": " << copy.output;
        const std::string text = readText(dir / "text.out");
        EXPECT_EQ(text.find('\0'), std::string::npos) << name;
        EXPECT_TRUE(text.ends_with("\r\n")) << name << ":\n" << text;
    }
}

TEST_F(RebuiltDiskette, TakesTheShellsTwoFilesWithoutTouchingTheRawAreasData) {
    writeFile(dir / "zelkor.exe", carveConsoleProgram(image));
    const auto copy = runCommand("mcopy -i disk.img Dsck.tr ::DSCK.TR && mcopy -i disk.img zelkor.exe ::ZELKOR.EXE",
                                 dir.path());
    ASSERT_EQ(copy.exitCode, 0) << copy.output;
    EXPECT_EQ(runCommand("fsck.fat -n disk.img", dir.path()).exitCode, 0);

    const Bytes after = readFile(dir / "disk.img");
    const auto dataStart = static_cast<std::ptrdiff_t>(33 * imagemap::SectorBytes);
    const auto rawEnd = static_cast<std::ptrdiff_t>(imagemap::RawAreaSectors * imagemap::SectorBytes);
    EXPECT_TRUE(std::equal(disk.begin() + dataStart, disk.begin() + rawEnd, after.begin() + dataStart))
        << "the new files must go after sector 787";
    const auto back = runCommand("mcopy -n -i disk.img ::ZELKOR.EXE back.exe && cmp back.exe zelkor.exe", dir.path());
    EXPECT_EQ(back.exitCode, 0) << back.output;
}

TEST_F(RebuiltDiskette, FillerSectorsLandOnTheDisketteSectorsTheyName) {
    // The image moves sectors 18-243 up by two; a wrong placement shows here.
    int numbered = 0;
    for (std::int32_t s = 33; s < static_cast<std::int32_t>(imagemap::RawAreaSectors); ++s) {
        const auto number = sample::numberedSectorNumber(sectorOf(disk, s), sample::SectorTag::File);
        if (!number) continue;
        EXPECT_EQ(*number, s);
        ++numbered;
    }
    EXPECT_GE(numbered, 700);
    const auto filler = runCommand("mcopy -n -i disk.img ::SECTORS.DAT filler.dat", dir.path());
    ASSERT_EQ(filler.exitCode, 0) << filler.output;
    EXPECT_EQ(readFile(dir / "filler.dat").size(), static_cast<std::size_t>(numbered) * imagemap::SectorBytes);
}

TEST(BlankDiskette, IsAnEmptyFormatted144MegabyteDiskette) {
    const TempDir dir;
    const auto run = runSampleTool({"--blank-diskette", "blank.img"}, dir.path());
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(fs::file_size(dir / "blank.img"), 1474560u);
    const auto fsck = runCommand("fsck.fat -n blank.img", dir.path());
    EXPECT_EQ(fsck.exitCode, 0) << fsck.output;
    EXPECT_NE(fsck.output.find("0 files, 0/2847 clusters"), std::string::npos) << fsck.output;
    const auto info = runCommand("minfo -i blank.img", dir.path());
    EXPECT_NE(info.output.find("sectors per track: 18"), std::string::npos) << info.output;
    const auto listing = runCommand("mdir -i blank.img", dir.path());
    EXPECT_NE(listing.output.find("No files"), std::string::npos) << listing.output;
    EXPECT_EQ(freeBytes(listing.output), 2847 * 512) << listing.output;
}

}  // namespace
}  // namespace peers
