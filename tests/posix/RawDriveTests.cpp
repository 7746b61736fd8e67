// Drive A:'s raw sectors through "\\.\a:", on a diskette image.
#include <filesystem>

#include "Support.h"
#include "platform/posix/RawDrive.h"

namespace posix::test {
namespace {

constexpr const char* RawA = "\\\\.\\a:";

class RawDriveTest : public PosixTest {
protected:
    void SetUp() override { writeFile("A.img", Bytes(DisketteBytes, 0)); }

    Handle openRaw(const char* name = RawA, DWORD access = GENERIC_WRITE) {
        return kernel_.CreateFileA(name, access, 3, OPEN_EXISTING, FILE_FLAG_WRITE_THROUGH);
    }

    // Seeks to `sector` and writes `data` there, as the diskette writer does.
    bool writeAt(Handle h, std::int32_t sector, const Bytes& data, DWORD* done = nullptr) {
        DWORD ignored = 0;
        kernel_.SetFilePointer(h, sector * 512, FILE_BEGIN);
        return kernel_.WriteFile(h, data.data(), static_cast<DWORD>(data.size()), done ? done : &ignored);
    }

    bool control(Handle h, DWORD code) {
        DWORD returned = 7;
        const bool ok = kernel_.DeviceIoControl(h, code, nullptr, 0, nullptr, 0, &returned);
        EXPECT_EQ(returned, 0u);
        return ok;
    }
};

TEST_F(RawDriveTest, TransfersLandAtTheirSectors) {
    const std::pair<std::int32_t, std::size_t> transfers[] = {{0, 1},    {1, 1},    {3, 7},   {10, 9},
                                                              {20, 113}, {246, 90}, {786, 2}, {2878, 2}};
    const Handle h = openRaw("//./A:");
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << kernel_.GetLastError();
    Bytes expected(DisketteBytes, 0);
    std::uint32_t seed = 1;
    for (const auto& [first, count] : transfers) {
        const Bytes data = pattern(count * 512, seed++);
        ASSERT_TRUE(writeAt(h, first, data)) << "sector " << first;
        std::copy(data.begin(), data.end(), expected.begin() + first * 512);
    }
    ASSERT_TRUE(kernel_.CloseHandle(h));
    EXPECT_EQ(readFile("A.img"), expected);
}

TEST_F(RawDriveTest, NeverGrowsAndTakesWholeSectorsOnly) {
    const Handle h = openRaw(RawA, GENERIC_READ | GENERIC_WRITE);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    const struct {
        std::int32_t sector;
        std::size_t bytes;
        DWORD error;
    } refused[] = {{2880, 512, ERROR_SECTOR_NOT_FOUND},
                   {2879, 1024, ERROR_SECTOR_NOT_FOUND},
                   {4000, 512, ERROR_SECTOR_NOT_FOUND},
                   {5, 100, ERROR_INVALID_PARAMETER}};
    for (const auto& r : refused) {
        DWORD done = 9;
        EXPECT_FALSE(writeAt(h, r.sector, pattern(r.bytes, 2), &done)) << r.sector;
        EXPECT_EQ(kernel_.GetLastError(), r.error);
        EXPECT_EQ(done, 0u);
    }
    kernel_.CloseHandle(h);
    EXPECT_EQ(readFile("A.img"), Bytes(DisketteBytes, 0));
}

TEST_F(RawDriveTest, TargetComesFromTheEnvironment) {
    std::filesystem::create_directory("elsewhere");
    writeFile("elsewhere/floppy.img", Bytes(DisketteBytes, 0));
    {
        ScopedEnv drive("DORVANE_DRIVE_A", folder_.path() + "/elsewhere/floppy.img");
        const Handle h = openRaw();
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        ASSERT_TRUE(writeAt(h, 19, pattern(512, 5)));
        kernel_.CloseHandle(h);
    }
    const Bytes other = readFile("elsewhere/floppy.img");
    EXPECT_EQ(Bytes(other.begin() + 19 * 512, other.begin() + 20 * 512), pattern(512, 5));
    EXPECT_EQ(readFile("A.img"), Bytes(DisketteBytes, 0));

    std::filesystem::remove("A.img");
    EXPECT_EQ(openRaw(), INVALID_HANDLE_VALUE);
    EXPECT_EQ(kernel_.GetLastError(), ERROR_NOT_READY);
    EXPECT_FALSE(std::filesystem::exists("A.img"));
}

TEST_F(RawDriveTest, DevicesThatDoNotExist) {
    for (const char* name : {"\\\\.\\vwin32", "\\\\.\\VWIN32", "\\\\.\\b:", "\\\\.\\a:x"}) {
        EXPECT_EQ(kernel_.CreateFileA(name, GENERIC_READ, 3, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL),
                  INVALID_HANDLE_VALUE);
        EXPECT_EQ(kernel_.GetLastError(), ERROR_FILE_NOT_FOUND) << name;
    }
}

TEST_F(RawDriveTest, VolumeLockAndDismount) {
    const Handle h = openRaw(RawA, GENERIC_READ | GENERIC_WRITE);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(control(h, FSCTL_LOCK_VOLUME));
    EXPECT_TRUE(control(h, FSCTL_DISMOUNT_VOLUME));
    EXPECT_EQ(openRaw(), INVALID_HANDLE_VALUE) << "opened a locked volume";
    EXPECT_EQ(kernel_.GetLastError(), ERROR_SHARING_VIOLATION);
    EXPECT_TRUE(control(h, FSCTL_UNLOCK_VOLUME));
    // With another handle open, the lock is refused.
    const Handle other = openRaw();
    EXPECT_NE(other, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(control(h, FSCTL_LOCK_VOLUME));
    EXPECT_EQ(kernel_.GetLastError(), ERROR_ACCESS_DENIED);
    kernel_.CloseHandle(other);
    // The Windows 9x service call means nothing here, nor do volume codes on files.
    EXPECT_FALSE(control(h, VWIN32_DIOC_DOS_INT26));
    EXPECT_EQ(kernel_.GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_TRUE(kernel_.CloseHandle(h));
    const Handle file = kernel_.CreateFileA("A.img", GENERIC_READ, 0, OPEN_EXISTING, 0);
    EXPECT_FALSE(control(file, FSCTL_LOCK_VOLUME));
    EXPECT_EQ(kernel_.GetLastError(), ERROR_INVALID_PARAMETER);
    kernel_.CloseHandle(file);
}

// The diskette writer asks the medium's size before its first write. As for
// a drive that Wine backs with an image file, the geometry request is not
// supported and the size comes from the handle: the image's, whatever it is.
TEST_F(RawDriveTest, NoGeometryButTheTargetsSize) {
    for (const std::size_t bytes : {std::size_t{102'400}, std::size_t{1'474'048}, DisketteBytes,
                                    std::size_t{2'949'120}}) {
        SCOPED_TRACE(bytes);
        writeFile("A.img", Bytes(bytes, 0));
        const Handle h = openRaw(RawA, GENERIC_READ | GENERIC_WRITE);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        DiskGeometry geometry{};
        DWORD returned = 0;
        EXPECT_FALSE(kernel_.DeviceIoControl(h, IOCTL_DISK_GET_DRIVE_GEOMETRY, nullptr, 0, &geometry,
                                             sizeof geometry, &returned));
        EXPECT_EQ(kernel_.GetLastError(), ERROR_NOT_SUPPORTED);
        DWORD high = 7;
        EXPECT_EQ(kernel_.GetFileSize(h, &high), bytes);
        EXPECT_EQ(high, 0u);
        EXPECT_EQ(kernel_.GetLastError(), NO_ERROR);
        EXPECT_TRUE(kernel_.CloseHandle(h));
    }
}

}  // namespace
}  // namespace posix::test
