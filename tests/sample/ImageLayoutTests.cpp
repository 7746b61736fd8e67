// Where dsck-sample puts things in the image: the unnamed sectors name
// themselves, the size is what was asked, the PIF lies in its run.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>

#include "tests/support/ImageMap.h"
#include "tests/support/Peers.h"
#include "tools/SectorPattern.h"

namespace peers {
namespace {

// True for the sectors the layout names.
bool isNamed(std::int32_t sector) {
    const auto s = static_cast<std::size_t>(sector);
    if (s < imagemap::RawAreaSectors) return true;
    for (const auto& run : imagemap::ConsoleProgramRuns)
        if (s >= run.first && s <= run.last) return true;
    return s >= imagemap::PifRun.first && s <= imagemap::PifRun.last;
}

struct SizeCase {
    std::vector<std::string> args;
    std::int32_t sectors;
};
void PrintTo(const SizeCase& c, std::ostream* os) { *os << c.sectors << " sectors"; }

class ImageSize : public ::testing::TestWithParam<SizeCase> {};

TEST_P(ImageSize, HasTheSectorsAskedForAndEveryUnnamedOneNamesItself) {
    const TempDir dir;
    const auto run = runSampleTool(GetParam().args, dir.path());
    ASSERT_EQ(run.exitCode, 0) << run.output;
    const Bytes image = readFile(dir / "Dsck.tr");
    const std::int32_t sectors = GetParam().sectors;
    ASSERT_EQ(image.size(), static_cast<std::size_t>(sectors) * imagemap::SectorBytes);

    int unnamed = 0;
    for (std::int32_t s = 0; s < sectors; ++s) {
        const auto number = sample::numberedSectorNumber(sectorOf(image, s), sample::SectorTag::Unnamed);
        if (isNamed(s)) {
            EXPECT_FALSE(number.has_value()) << "named sector " << s << " carries the unnamed pattern of " << *number;
        } else {
            EXPECT_EQ(number, s) << "unnamed sector " << s;
            ++unnamed;
        }
    }
    // 788-789, the gaps between the program's runs, 1268-1318 and what follows the PIF.
    EXPECT_EQ(unnamed, 2 + 132 + 45 + 81 + 32 + 51 + (sectors - 1321));
}

INSTANTIATE_TEST_SUITE_P(Sizes, ImageSize,
                         ::testing::Values(SizeCase{{}, 1408}, SizeCase{{"--sectors", "1321"}, 1321},
                                           SizeCase{{"--sectors", "1400"}, 1400},
                                           SizeCase{{"--sectors=3000", "--out", "Dsck.tr"}, 3000}));

TEST(ImageContent, ShorterAndLongerImagesAgreeWithTheDefaultOnTheirCommonSectors) {
    const TempDir dir;
    ASSERT_EQ(runSampleTool({"--out", "default.tr"}, dir.path()).exitCode, 0);
    ASSERT_EQ(runSampleTool({"--sectors", "1321", "--out", "short.tr"}, dir.path()).exitCode, 0);
    ASSERT_EQ(runSampleTool({"--sectors", "3000", "--out", "long.tr"}, dir.path()).exitCode, 0);
    const Bytes full = readFile(dir / "default.tr");
    const Bytes shorter = readFile(dir / "short.tr");
    const Bytes longer = readFile(dir / "long.tr");
    ASSERT_EQ(full.size(), 720896u);
    EXPECT_TRUE(std::equal(shorter.begin(), shorter.end(), full.begin()));
    EXPECT_TRUE(std::equal(full.begin(), full.end(), longer.begin()));
}

std::uint16_t word(const Bytes& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

TEST(ImageContent, PifIsTheThousandTwentyFourBytesFrom675328AndDescribesZelkor) {
    const TempDir dir;
    ASSERT_EQ(runSampleTool({}, dir.path()).exitCode, 0);
    const Bytes image = readFile(dir / "Dsck.tr");
    const Bytes pif(image.begin() + 675328, image.begin() + 676352);

    EXPECT_EQ(std::string(pif.begin() + 0x02, pif.begin() + 0x20), "zelkor" + std::string(24, ' '));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&pif[0x24])), "ZELKOR.EXE");
    unsigned sum = 0;
    for (std::size_t i = 2; i < 0x171; ++i) sum += pif[i];
    EXPECT_EQ(pif[1], sum % 256) << "checksum of the basic section";

    // Walk the chain of section headings; every section must lie in the file.
    std::vector<std::string> names;
    for (std::size_t at = 0x171; at != 0xFFFF && names.size() < 10;) {
        ASSERT_LE(at + 22, pif.size());
        names.emplace_back(reinterpret_cast<const char*>(&pif[at]));
        EXPECT_LE(word(pif, at + 18) + word(pif, at + 20), pif.size()) << names.back();
        at = word(pif, at + 16);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"MICROSOFT PIFEX", "WINDOWS 386 3.0"}));
}

TEST(SectorPattern, RecognisesOnlyTheWholePatternOfTheRightKind) {
    std::array<std::uint8_t, 512> sector{};
    sample::fillNumberedSector(sector, sample::SectorTag::Unnamed, 1234);
    EXPECT_TRUE(sample::isUnnamedSector(sector, 1234));
    EXPECT_FALSE(sample::isUnnamedSector(sector, 1235));
    EXPECT_FALSE(sample::numberedSectorNumber(sector, sample::SectorTag::File).has_value());

    for (std::size_t at : {std::size_t{0}, std::size_t{30}, std::size_t{300}, std::size_t{511}}) {
        auto damaged = sector;
        damaged[at] ^= 0x01;
        EXPECT_FALSE(sample::numberedSectorNumber(damaged, sample::SectorTag::Unnamed).has_value())
            << "one byte changed at " << at;
    }
}

}  // namespace
}  // namespace peers
