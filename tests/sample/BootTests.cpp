// The diskettes boot in QEMU and say what they are on the first serial port.
#include <gtest/gtest.h>

#include "tests/support/Peers.h"
#include "tools/SampleDiskette.h"

namespace peers {
namespace {

struct BootCase {
    const char* name;
    bool fromImage;  // the diskette rebuilt from the sample image, or the blank one
    std::string_view message;
};
void PrintTo(const BootCase& c, std::ostream* os) { *os << c.name; }

class Boot : public ::testing::TestWithParam<BootCase> {};

TEST_P(Boot, ShowsItsMessageOnCom1) {
    if (!programExists("qemu-system-i386")) GTEST_SKIP() << "skipped: qemu-system-i386 missing";
    const TempDir dir;
    if (GetParam().fromImage) {
        ASSERT_EQ(runSampleTool({}, dir.path()).exitCode, 0);
        writeFile(dir / "disk.img", rebuildDiskette(readFile(dir / "Dsck.tr")));
    } else {
        ASSERT_EQ(runSampleTool({"--blank-diskette", "disk.img"}, dir.path()).exitCode, 0);
    }

    const fs::path serial = dir / "serial.txt";
    const std::string expected(GetParam().message.substr(0, GetParam().message.find('\r')));
    {
        const BackgroundProgram qemu("qemu-system-i386 -drive file=disk.img,if=floppy,format=raw,index=0 "
                                     "-boot a -display none -monitor none -no-reboot -serial file:serial.txt",
                                     dir.path());
        EXPECT_TRUE(waitUntil([&] { return readText(serial).find(expected) != std::string::npos; },
                              std::chrono::seconds(60)))
            << "serial output: " << readText(serial) << "\nqemu: " << readText(dir / "background.log");
    }
}

INSTANTIATE_TEST_SUITE_P(Diskettes, Boot,
                         ::testing::Values(BootCase{"Sample", true, sample::SampleBootMessage},
                                           BootCase{"Blank", false, sample::BlankBootMessage}),
                         [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace peers
