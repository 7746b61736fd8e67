// dsck-sample refuses bad command lines and failed writes plainly, with a
// non-zero exit, and leaves no image behind.
#include <gtest/gtest.h>

#include "tests/support/Peers.h"

namespace peers {
namespace {

struct RefusalCase {
    std::vector<std::string> args;
    int exitCode;
    std::string message;  // part of what it must say
};
void PrintTo(const RefusalCase& c, std::ostream* os) {
    for (const auto& a : c.args) *os << "'" << a << "' ";
}

class Refusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(Refusal, ExitsNonZeroWithAMessageAndWritesNoImage) {
    const TempDir dir;
    const auto run = runSampleTool(GetParam().args, dir.path());
    EXPECT_EQ(run.exitCode, GetParam().exitCode) << run.output;
    EXPECT_NE(run.output.find(GetParam().message), std::string::npos) << run.output;
    EXPECT_FALSE(fs::exists(dir / "Dsck.tr"));
}

INSTANTIATE_TEST_SUITE_P(
    BadArguments, Refusal,
    ::testing::Values(RefusalCase{{"--sectors", "1320"}, 2, "from 1321 to"},
                      RefusalCase{{"--sectors", "10000001"}, 2, "from 1321 to"},
                      RefusalCase{{"--sectors", "14o8"}, 2, "not '14o8'"},
                      RefusalCase{{"--sectors"}, 2, "--sectors needs a value"},
                      RefusalCase{{"--sectors", "1400", "--sectors", "1500"}, 2, "given twice"},
                      RefusalCase{{"--out", ""}, 2, "needs a file name"},
                      RefusalCase{{"--verbose"}, 2, "unknown option '--verbose'"},
                      RefusalCase{{"Dsck.tr"}, 2, "unexpected argument"},
                      RefusalCase{{"--blank-diskette", "a.img", "--sectors", "1400"}, 2, "no other option"},
                      RefusalCase{{"--out", "missing-folder/Dsck.tr"}, 1, "can't create"},
                      RefusalCase{{"--out", "/dev/full"}, 1, "failed"},
                      RefusalCase{{"--blank-diskette", "missing-folder/a.img"}, 1, "can't create"}));

TEST(CommandLine, HelpShowsTheUsageAndSucceeds) {
    const TempDir dir;
    const auto run = runSampleTool({"--help"}, dir.path());
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.output.find("--blank-diskette PATH"), std::string::npos) << run.output;
    EXPECT_FALSE(fs::exists(dir / "Dsck.tr"));
}

}  // namespace
}  // namespace peers
