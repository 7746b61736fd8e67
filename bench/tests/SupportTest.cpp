// The pieces every benchmark stands on: starting the peers, restoring the
// blank diskette between runs, and reading files back off a diskette.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "bench/support/DisketteBytes.h"
#include "bench/support/Fat12Reader.h"
#include "bench/support/Programs.h"
#include "bench/support/Workspace.h"
#include "tools/SampleDiskette.h"

namespace {

namespace fs = std::filesystem;
using bench::Bytes;

struct ProgramCase {
    const char* what;
    std::vector<std::string> argv;
    int status;
};

class RunProgram : public ::testing::TestWithParam<ProgramCase> {};

TEST_P(RunProgram, ReportsTheExitStatus) { EXPECT_EQ(bench::runProgram(GetParam().argv), GetParam().status); }

INSTANTIATE_TEST_SUITE_P(Cases, RunProgram,
                         ::testing::Values(ProgramCase{"success", {"true"}, 0}, ProgramCase{"failure", {"false"}, 1},
                                           ProgramCase{"status", {"sh", "-c", "exit 7"}, 7},
                                           ProgramCase{"killed", {"sh", "-c", "kill -9 $$"}, -1},
                                           ProgramCase{"missing", {"/no/such/program"}, -1},
                                           ProgramCase{"nothing", {}, -1}),
                         [](const auto& test) { return std::string(test.param.what); });

TEST(RunProgramOutput, GoesToTheNamedFileWithErrorsAlongside) {
    const bench::Workspace workspace(1408, fs::temp_directory_path());
    const fs::path out = workspace.dir() / "out.txt";
    ASSERT_EQ(bench::runProgram({"sh", "-c", "echo to-out; echo to-err >&2"}, out.string()), 0);
    const Bytes text = bench::readFile(out);
    EXPECT_EQ(std::string(text.begin(), text.end()), "to-out\nto-err\n");
}

TEST(Workspace, RestoresTheBlankDisketteWhateverARunLeft) {
    bench::Workspace workspace(1408, fs::temp_directory_path());
    const Bytes blank = sample::buildBlankDiskette();
    EXPECT_EQ(workspace.drive(), blank);
    Bytes damaged = blank;
    damaged[700] ^= 0x5A;
    damaged.resize(blank.size() + 512);  // grown as well
    bench::writeFile(workspace.drivePath(), damaged);
    workspace.restoreBlank();
    EXPECT_EQ(workspace.drive(), blank);
    EXPECT_EQ(bench::readFile(workspace.imagePath()), workspace.image());
}

TEST(Workspace, HoldsAnImageOfTheLengthAskedForAndGoesAwayWithEverythingInIt) {
    fs::path dir;
    {
        const bench::Workspace workspace(1321, fs::temp_directory_path());
        dir = workspace.dir();
        EXPECT_EQ(workspace.image().size(), 1321u * 512);
        bench::writeFile(dir / "left-behind", Bytes(10));
    }
    EXPECT_FALSE(fs::exists(dir));
}

TEST(InWorkspace, PointsTheShellAtTheWorkspaceAndPutsItAllBack) {
    const bench::Workspace workspace(1408, fs::temp_directory_path());
    const fs::path before = fs::current_path();
    {
        const bench::InWorkspace here(workspace);
        EXPECT_EQ(fs::current_path(), fs::canonical(workspace.dir()));
        ASSERT_NE(std::getenv("DORVANE_DRIVE_A"), nullptr);
        EXPECT_EQ(fs::path(std::getenv("DORVANE_DRIVE_A")), workspace.drivePath());
    }
    EXPECT_EQ(fs::current_path(), before);
    EXPECT_EQ(std::getenv("DORVANE_DRIVE_A"), nullptr);
}

// A blank diskette with one file "A.BIN" of three clusters (2, 3, 4) whose
// table entries the cases then bend.
Bytes disketteWithFile(std::uint32_t size) {
    Bytes disk = sample::buildBlankDiskette();
    const std::size_t root = 19 * 512, data = 33 * 512;
    const char name[] = "A       BIN";
    std::copy(name, name + 11, disk.begin() + root);
    disk[root + 26] = 2;
    for (int i = 0; i < 4; ++i) disk[root + 28 + i] = static_cast<std::uint8_t>(size >> (8 * i));
    for (std::size_t i = 0; i < 3 * 512; ++i) disk[data + i] = static_cast<std::uint8_t>(i / 512 + 1);
    // FAT12 entries 2->3, 3->4, 4->end, packed 12 bits each from byte 3.
    disk[512 + 3] = 0x03;
    disk[512 + 4] = 0x40;
    disk[512 + 5] = 0x00;
    disk[512 + 6] = 0xFF;
    disk[512 + 7] = 0x0F;
    return disk;
}

TEST(Fat12Reader, FollowsTheChainAndStopsAtTheFilesSize) {
    const auto content = bench::readRootFile(disketteWithFile(1100), "A       BIN");
    ASSERT_TRUE(content.has_value());
    ASSERT_EQ(content->size(), 1100u);
    EXPECT_EQ((*content)[0], 1);
    EXPECT_EQ((*content)[512], 2);
    EXPECT_EQ((*content)[1099], 3);
}

struct BrokenCase {
    const char* what;
    std::size_t offset;  // byte of the diskette to overwrite
    std::uint8_t value;
    const char* name;
    std::uint32_t size;  // the directory entry's file size
};

class Fat12ReaderRefuses : public ::testing::TestWithParam<BrokenCase> {};

TEST_P(Fat12ReaderRefuses, ABrokenOrMissingFile) {
    Bytes disk = disketteWithFile(GetParam().size);
    disk[GetParam().offset] = GetParam().value;
    EXPECT_FALSE(bench::readRootFile(disk, GetParam().name).has_value());
}

// Table bytes: 512+3 and the low half of 512+4 hold cluster 2's entry, the
// high half of 512+4 and 512+5 cluster 3's.
INSTANTIATE_TEST_SUITE_P(
    Cases, Fat12ReaderRefuses,
    ::testing::Values(BrokenCase{"other_name", 0, 0xEB, "B       BIN", 1500},
                      BrokenCase{"short_name", 0, 0xEB, "A.BIN", 1500},
                      BrokenCase{"deleted_entry", 19 * 512, 0xE5, "A       BIN", 1500},
                      BrokenCase{"chain_to_free_cluster", 512 + 4, 0x00, "A       BIN", 1500},  // 3 -> 0
                      BrokenCase{"chain_loops", 512 + 4, 0x20, "A       BIN", 1'000'000},    // 3 -> 2
                      BrokenCase{"chain_shorter_than_size", 512 + 3, 0x03, "A       BIN", 2000},
                      BrokenCase{"first_cluster_zero", 19 * 512 + 26, 0, "A       BIN", 1500}),
    [](const auto& test) { return std::string(test.param.what); });

}  // namespace
