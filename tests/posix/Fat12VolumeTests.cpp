// The FAT12 layer on its own, on volumes held in memory: what it refuses,
// and what a failing target leaves behind.
#include <fcntl.h>
#include <unistd.h>

#include "Support.h"
#include "platform/fat12/Volume.h"
#include "platform/posix/FdStorage.h"

namespace posix::test {
namespace {

using fat12::MemoryStorage;
using fat12::Status;
using fat12::Volume;

const Bytes& blankDiskette() {
    static const Bytes image = [] {
        TempFolder folder;
        makeBlankDiskette("blank.img");
        return readFile("blank.img");
    }();
    return image;
}

void put16(Bytes& b, std::size_t at, unsigned v) {
    b[at] = static_cast<std::uint8_t>(v), b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

struct BootCase {
    const char* label;
    void (*damage)(Bytes&);
};

class DamagedBootSector : public ::testing::TestWithParam<BootCase> {};

TEST_P(DamagedBootSector, IsRefused) {
    Bytes image = blankDiskette();
    GetParam().damage(image);
    MemoryStorage storage(image);
    Volume volume(storage);
    EXPECT_EQ(volume.mount(), Status::Corrupt);
    std::size_t written = 0;
    EXPECT_EQ(volume.create("X.TXT", {}), Status::WrongState);
    EXPECT_EQ(volume.write("x", 1, written), Status::WrongState);
    EXPECT_EQ(storage.bytes(), image);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DamagedBootSector,
    ::testing::Values(BootCase{"BytesPerSector1024", [](Bytes& b) { put16(b, 0x0B, 1024); }},
                      BootCase{"ClusterOf3Sectors", [](Bytes& b) { b[0x0D] = 3; }},
                      BootCase{"ClusterOf0Sectors", [](Bytes& b) { b[0x0D] = 0; }},
                      BootCase{"NoReservedSector", [](Bytes& b) { put16(b, 0x0E, 0); }},
                      BootCase{"NoTable", [](Bytes& b) { b[0x10] = 0; }},
                      BootCase{"ThreeTables", [](Bytes& b) { b[0x10] = 3; }},
                      BootCase{"NoRootEntries", [](Bytes& b) { put16(b, 0x11, 0); }},
                      BootCase{"TableOf0Sectors", [](Bytes& b) { put16(b, 0x16, 0); }},
                      BootCase{"TableTooSmallForClusters", [](Bytes& b) { put16(b, 0x16, 1); }},
                      BootCase{"LargerThanTarget", [](Bytes& b) { put16(b, 0x13, 2881); }},
                      BootCase{"NoTotalSectors", [](Bytes& b) { put16(b, 0x13, 0); }},
                      BootCase{"NoDataArea", [](Bytes& b) { put16(b, 0x13, 33); }},
                      BootCase{"ShorterThanABootSector", [](Bytes& b) { b.resize(100); }},
                      // FAT16's cluster count, with a table big enough to hold it.
                      BootCase{"TooManyClustersForFat12",
                               [](Bytes& b) {
                                   b.resize(5760 * 512);
                                   put16(b, 0x13, 5760);
                                   put16(b, 0x16, 20);
                               }}),
    [](const auto& p) { return std::string(p.param.label); });

TEST(Fat12Volume, WriteProtectedTargetIsNotTouched) {
    MemoryStorage storage(blankDiskette(), false);
    Volume volume(storage);
    ASSERT_EQ(volume.mount(), Status::Ok);
    EXPECT_EQ(volume.create("NEW.TXT", {}), Status::WriteProtected);
    EXPECT_EQ(storage.bytes(), blankDiskette());
}

// A target whose data area stops taking writes after a byte budget, as a
// failing diskette would.
class FailingDataArea final : public fat12::Storage {
public:
    FailingDataArea(Bytes bytes, std::size_t budget) : inner_(std::move(bytes)), budget_(budget) {}
    std::uint64_t size() const override { return inner_.size(); }
    bool writable() const override { return true; }
    bool read(std::uint64_t at, void* data, std::size_t length) override { return inner_.read(at, data, length); }
    bool write(std::uint64_t at, const void* data, std::size_t length) override {
        if (at >= 33 * 512) {
            if (length > budget_) return false;
            budget_ -= length;
        }
        return inner_.write(at, data, length);
    }
    MemoryStorage inner_;
    std::size_t budget_;
};

TEST(Fat12Volume, FailedDataWriteLeavesAConsistentVolume) {
    FailingDataArea storage(blankDiskette(), 2000);
    Volume volume(storage);
    ASSERT_EQ(volume.mount(), Status::Ok);
    ASSERT_EQ(volume.create("PART.BIN", {}), Status::Ok);
    const Bytes data = pattern(5000, 3);
    std::size_t written = 0;
    EXPECT_EQ(volume.write(data.data(), data.size(), written), Status::WriteFault);
    EXPECT_EQ(written, 3u * 512);
    EXPECT_EQ(volume.close(), Status::Ok);

    TempFolder folder;
    writeFile("A.img", storage.inner_.bytes());
    const RunResult fsck = run({"fsck.fat", "-n", "A.img"});
    EXPECT_EQ(fsck.exitCode, 0) << fsck.output;
    ASSERT_EQ(run({"mcopy", "-i", "A.img", "::PART.BIN", "part.bin"}).exitCode, 0);
    EXPECT_EQ(readFile("part.bin"), Bytes(data.begin(), data.begin() + 3 * 512));
}

// The volume never addresses past the target's end, but the storage must
// refuse it too: a diskette does not grow, and neither may its image.
TEST(Fat12Storage, RefusesTransfersPastTheTargetsEnd) {
    TempFolder folder;
    writeFile("t.img", Bytes(4096, 7));
    const int fd = ::open("t.img", O_RDWR);
    ASSERT_GE(fd, 0);
    FdStorage onFile(fd, 4096, true);
    MemoryStorage inMemory(Bytes(4096, 7));
    const std::pair<fat12::Storage*, const char*> storages[] = {{&onFile, "file"}, {&inMemory, "memory"}};
    const std::pair<std::uint64_t, std::size_t> beyond[] = {{4095, 2}, {4096, 1}, {0, 4097}, {1u << 20, 1}};
    std::uint8_t buffer[4097] = {};
    for (const auto& [storage, what] : storages) {
        for (const auto& [at, length] : beyond) {
            EXPECT_FALSE(storage->write(at, buffer, length)) << what << " " << at << "+" << length;
            EXPECT_FALSE(storage->read(at, buffer, length)) << what << " " << at << "+" << length;
        }
        EXPECT_TRUE(storage->write(4095, buffer, 1)) << what;  // the last byte is the target's
    }
    ::close(fd);
    Bytes expected(4096, 7);
    expected.back() = 0;
    EXPECT_EQ(readFile("t.img"), expected);
    EXPECT_EQ(inMemory.bytes(), expected);
}

TEST(Fat12Volume, DosStampsAndTheirLimits) {
    const struct {
        int y, mo, d, h, mi, s;
        std::uint16_t date, time;
        std::uint8_t hundredths;
    } cases[] = {{2024, 2, 29, 13, 45, 31, 0x585D, 0x6DAF, 100},
                 {1970, 6, 1, 12, 0, 0, 0x0021, 0x0000, 0},   // before DOS time: its first day
                 {2200, 1, 1, 0, 0, 0, 0xFF9F, 0xBF7D, 0}};  // after it: its last second
    for (const auto& c : cases) {
        const auto stamp = fat12::DosStamp::from(c.y, c.mo, c.d, c.h, c.mi, c.s);
        EXPECT_EQ(stamp.date, c.date) << c.y;
        EXPECT_EQ(stamp.time, c.time) << c.y;
        EXPECT_EQ(stamp.hundredths, c.hundredths) << c.y;
    }
}

}  // namespace
}  // namespace posix::test
