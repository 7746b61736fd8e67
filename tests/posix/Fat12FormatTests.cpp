// The FAT12 library's one rule for names and labels, and what formatting
// refuses. The diskettes it formats are checked by fsck.fat and mtools in the
// sample suite.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/fat12/Format.h"
#include "platform/fat12/Name.h"
#include "platform/fat12/Storage.h"
#include "platform/fat12/Volume.h"

namespace {

std::string text(const std::optional<fat12::ShortName>& name) {
    return name ? std::string(name->begin(), name->end()) : "(refused)";
}

TEST(Fat12Names, ShortNamesAndLabelsShareOneRule) {
    const struct {
        const char* input;
        const char* shortName;
        const char* label;
    } cases[] = {
        {"Dsck.tr", "DSCK    TR ", "(refused)"},  // a dot is no label character
        {"README.TXT", "README  TXT", "(refused)"},  {"dorvane", "DORVANE    ", "DORVANE    "},
        {"NO NAME", "(refused)", "NO NAME    "},  // blanks only inside a label
        {" LEAD", "(refused)", "(refused)"},         {"TWELVECHARSX", "(refused)", "(refused)"},
        {"NINECHARS.TXT", "(refused)", "(refused)"}, {"A.TEXT", "(refused)", "(refused)"},
        {"A.B.C", "(refused)", "(refused)"},         {"A*B", "(refused)", "(refused)"},
        {"~$!'(-)", "~$!'(-)    ", "~$!'(-)    "},   {"", "(refused)", "(refused)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(text(fat12::toShortName(c.input)), c.shortName) << '"' << c.input << '"';
        EXPECT_EQ(text(fat12::toVolumeLabel(c.input)), c.label) << '"' << c.input << '"';
    }
}

// A boot program of `length` bytes: a short jump, then filler.
std::vector<std::uint8_t> program(std::size_t length, std::uint8_t first = 0xEB) {
    std::vector<std::uint8_t> bytes(length, 0x90);
    bytes[0] = first;
    return bytes;
}

TEST(Fat12Format, RefusesWhatCannotBeWritten) {
    const auto boot = program(0x40);
    const auto noJump = program(0x40, 0xE9);
    const auto tooShort = program(0x3D);
    const auto full = program(500);
    const struct {
        const char* label;
        fat12::FormatOptions options;
        bool lengthError;  // otherwise invalid_argument
    } cases[] = {
        {"label with a dot", {"A.B", 1, {}, boot, "hi"}, false},
        {"label of 12", {"TWELVECHARSX", 1, {}, boot, "hi"}, false},
        {"no short jump", {"", 1, {}, noJump, "hi"}, false},
        {"program inside the parameter block", {"", 1, {}, tooShort, "hi"}, false},
        {"message and NUL one byte into the signature", {"", 1, {}, full, "1234567890"}, true},
    };
    EXPECT_NO_THROW(fat12::formatDiskette({"", 1, {}, full, "123456789"}));  // up to the signature
    for (const auto& c : cases)
        if (c.lengthError)
            EXPECT_THROW(fat12::formatDiskette(c.options), std::length_error) << c.label;
        else
            EXPECT_THROW(fat12::formatDiskette(c.options), std::invalid_argument) << c.label;
}

TEST(Fat12Format, FilesFollowEachOtherFromTheFirstDataSector) {
    const auto boot = program(0x40);
    fat12::MemoryStorage storage(fat12::formatDiskette({"LABEL", 7, {}, boot, "hi"}));
    ASSERT_EQ(storage.size(), fat12::DisketteBytes);
    fat12::Volume volume(storage);
    EXPECT_EQ(volume.firstFreeOffset(), std::nullopt);  // not mounted yet
    ASSERT_EQ(volume.mount(), fat12::Status::Ok);
    EXPECT_EQ(volume.firstFreeOffset(), 33u * 512);
    const std::vector<std::uint8_t> data(513, 1);
    std::size_t written = 0;
    ASSERT_EQ(volume.create("A.BIN", {}), fat12::Status::Ok);
    ASSERT_EQ(volume.write(data.data(), data.size(), written), fat12::Status::Ok);
    ASSERT_EQ(volume.close(), fat12::Status::Ok);
    EXPECT_EQ(volume.firstFreeOffset(), 35u * 512);
    // The label is the directory's first entry; the file takes the second.
    EXPECT_EQ(std::string(storage.bytes().begin() + 19 * 512, storage.bytes().begin() + 19 * 512 + 11), "LABEL      ");
    EXPECT_EQ(std::string(storage.bytes().begin() + 19 * 512 + 32, storage.bytes().begin() + 19 * 512 + 43),
              "A       BIN");
}

}  // namespace
