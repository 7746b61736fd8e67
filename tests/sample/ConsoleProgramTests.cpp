// ZELKOR.EXE as the shell carves it from the image: a real DOS program.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "tests/support/Peers.h"
#include "tools/ConsoleProgram.h"

namespace peers {
namespace {

std::uint32_t word(const Bytes& b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at] | b[at + 1] << 8);
}

class ConsoleProgram : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(runSampleTool({}, dir.path()).exitCode, 0);
        program = carveConsoleProgram(readFile(dir / "Dsck.tr"));
    }
    TempDir dir;
    Bytes program;
};

TEST_F(ConsoleProgram, HeaderDescribesExactlyTheNinetySixThousandBytesCarved) {
    ASSERT_EQ(program.size(), 96256u);
    ASSERT_EQ(program[0], 'M');
    ASSERT_EQ(program[1], 'Z');
    const std::uint32_t lastPage = word(program, 2), pages = word(program, 4);
    EXPECT_EQ(pages * 512 - (lastPage == 0 ? 0 : 512 - lastPage), 96256u);
    EXPECT_EQ(word(program, 6), 0u) << "no relocations";
    const std::uint32_t headerBytes = word(program, 8) * 16;
    const std::uint32_t entry = headerBytes + word(program, 0x16) * 16 + word(program, 0x14);
    EXPECT_GE(headerBytes, 28u);
    EXPECT_LT(entry, 96256u);
}

// Carved by the tests' own map: every run in its place, not only the first
// bytes that the header check reads.
TEST_F(ConsoleProgram, IsTheProgramTheToolBuilt) { EXPECT_TRUE(program == sample::buildConsoleProgram()); }

TEST_F(ConsoleProgram, RunsInDosboxAndPrintsItsNoticeToRedirectedOutput) {
    if (!programExists("dosbox")) GTEST_SKIP() << "skipped: dosbox missing";
    const TempDir dos;
    writeFile(dos / "ZELKOR.EXE", program);
    // HOME keeps DOSBox's own configuration file out of the user's.
    const std::string command = "HOME=" + shellQuoted(dir.path()) +
                                " SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy timeout -s KILL 60 dosbox"
                                " -c " + shellQuoted("mount c " + dos.path().string()) +
                                " -c c: -c 'zelkor.exe > out.txt' -c exit";
    const auto run = runCommand(command, dir.path());
    ASSERT_EQ(run.exitCode, 0) << "dosbox failed or timed out:\n" << run.output;

    // DOS names the files in capitals. The notice goes to the output and,
    // as the sign that the program ran, into ZELKOR.RAN beside it.
    std::string output, ran;
    for (const auto& entry : fs::directory_iterator(dos.path())) {
        std::string name = entry.path().filename().string();
        std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
        if (name == "out.txt") output = readText(entry.path());
        if (name == "zelkor.ran") ran = readText(entry.path());
    }
    const std::string notice = "Dorvane sample ZELKOR.EXE - a sample without the regeneration program.\r\n";
    EXPECT_EQ(output, notice);
    EXPECT_EQ(ran, notice);
}

}  // namespace
}  // namespace peers
