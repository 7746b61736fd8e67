// The yardsticks must write what the shell writes, or the ratios compare
// different work; and the check that every benchmark applies to its result
// must be able to fail.
#include <gtest/gtest.h>

#include <algorithm>

#include "bench/support/BareDiskette.h"
#include "bench/support/DisketteCheck.h"
#include "bench/support/Programs.h"
#include "bench/support/Workspace.h"
#include "media/DisketteWriter.h"
#include "platform/posix/PosixKernel.h"

namespace {

using bench::Bytes;

class NoProgress final : public media::DisketteProgress {
public:
    void Report(std::optional<std::int32_t>) override {}
};

Bytes shellDiskette(bench::Workspace& workspace) {
    workspace.restoreBlank();
    const bench::InWorkspace here(workspace);
    posix::PosixKernel kernel;
    NoProgress progress;
    EXPECT_TRUE(media::WriteRegeneratingDiskette(kernel, progress));
    return workspace.drive();
}

// Directory entries carry the time of their creation; the yardstick stamps
// 1980-01-01, the shell the current time. Everything else must match.
void blankTimestamps(Bytes& disk) {
    constexpr std::size_t root = 19 * 512;
    for (std::size_t entry = root; entry < root + 224 * 32; entry += 32)
        for (const std::size_t field : {13, 14, 15, 16, 17, 18, 19, 22, 23, 24, 25}) disk[entry + field] = 0;
}

class BareDisketteByImageLength : public ::testing::TestWithParam<std::int32_t> {};

TEST_P(BareDisketteByImageLength, WritesTheShellsBytes) {
    bench::Workspace workspace(GetParam(), std::filesystem::temp_directory_path());
    Bytes shell = shellDiskette(workspace);
    ASSERT_EQ(bench::checkDiskette(shell, workspace.image()), "");

    workspace.restoreBlank();
    bench::BareDiskette bare;
    ASSERT_EQ(bare.write(workspace.imagePath(), workspace.drivePath()), "");
    Bytes reference = workspace.drive();
    EXPECT_EQ(bench::checkDiskette(reference, workspace.image()), "");

    blankTimestamps(shell);
    blankTimestamps(reference);
    const auto firstDifference = std::mismatch(shell.begin(), shell.end(), reference.begin()).first - shell.begin();
    EXPECT_EQ(shell, reference) << "first difference at byte " << firstDifference;
}

INSTANTIATE_TEST_SUITE_P(Lengths, BareDisketteByImageLength, ::testing::Values(1321, 1408, 3000));

TEST(DdAndMcopy, LeaveADisketteThatPassesTheSameCheck) {
    bench::Workspace workspace(1408, std::filesystem::temp_directory_path());
    const bench::InWorkspace here(workspace);
    bench::writeFile("raw.bin", bench::rebuildRawArea(workspace.image()));
    bench::writeFile("DSCK.TR", bench::imageCopy(workspace.image()));
    bench::writeFile("ZELKOR.EXE", bench::consoleProgram(workspace.image()));
    if (bench::runProgram({"mcopy", "-V"}) != 0) GTEST_SKIP() << "mtools is not installed";
    ASSERT_EQ(bench::runProgram({"dd", "if=raw.bin", "of=A.img", "bs=64K", "conv=notrunc", "oflag=dsync",
                                 "status=none"}),
              0);
    ASSERT_EQ(bench::runProgram({"mcopy", "-i", "A.img", "DSCK.TR", "ZELKOR.EXE", "::"}), 0);
    EXPECT_EQ(bench::checkDiskette(workspace.drive(), workspace.image()), "");
}

// Where DSCK.TR's directory entry lies in the root directory (sectors 19-32).
std::size_t imageCopyEntry(const Bytes& disk) {
    const std::string name = "DSCK    TR ";
    const auto at = std::search(disk.begin() + 19 * 512, disk.begin() + 33 * 512, name.begin(), name.end());
    return static_cast<std::size_t>(at - disk.begin());
}

struct Damage {
    const char* what;
    std::size_t offset;  // byte flipped in a good diskette; 0: DSCK.TR's entry
    const char* expected;
};

class CheckDisketteCatches : public ::testing::TestWithParam<Damage> {};

TEST_P(CheckDisketteCatches, ADamagedDiskette) {
    bench::Workspace workspace(1408, std::filesystem::temp_directory_path());
    Bytes disk = shellDiskette(workspace);
    const std::size_t offset = GetParam().offset != 0 ? GetParam().offset : imageCopyEntry(disk);
    ASSERT_LT(offset, disk.size());
    disk[offset] ^= 0xFF;
    EXPECT_NE(bench::checkDiskette(disk, workspace.image()).find(GetParam().expected), std::string::npos);
}

// The sample's files fill the data area up to sector 787; the shell's two
// files follow, DSCK.TR (1,408 sectors) first.
INSTANTIATE_TEST_SUITE_P(
    Damages, CheckDisketteCatches,
    ::testing::Values(Damage{"boot sector", 100, "sector 0"}, Damage{"raw area", 500 * 512 + 7, "sectors 33-787"},
                      Damage{"image copy", 800 * 512 + 3, "DSCK.TR differs"},
                      Damage{"console program", (788 + 1408 + 10) * 512, "ZELKOR.EXE differs"},
                      Damage{"directory entry", 0, "DSCK.TR is missing"}),
    [](const auto& test) {
        std::string name = test.param.what;
        std::replace(name.begin(), name.end(), ' ', '_');
        return name;
    });

TEST(CheckDiskette, RefusesTheBlankDiskette) {
    bench::Workspace workspace(1408, std::filesystem::temp_directory_path());
    EXPECT_NE(bench::checkDiskette(workspace.drive(), workspace.image()), "");
}

}  // namespace
