// The kernel facade against the system's own kernel32 (Wine's): the file
// semantics the shell relies on, and drive A: reached both raw and through
// its folder.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <string>

#include "media/DisketteWriter.h"
#include "media/ImageLayout.h"
#include "platform/kernel.h"
#include "platform/windows/Win32Kernel.h"
#include "tests/win32/DriveA.h"
#include "tests/win32/Processes.h"
#include "tests/win32/TestFiles.h"

namespace {

using wintest::Bytes;

constexpr sys::DWORD ShareBoth = sys::FILE_SHARE_READ | sys::FILE_SHARE_WRITE;

class KernelTest : public ::testing::Test {
protected:
    win32::Win32Kernel kernel;
    wintest::TempFolder folder;

    std::string path(const char* name) const { return folder / name; }

    sys::Handle create(const std::string& name, sys::DWORD access, sys::DWORD share, sys::DWORD disposition) {
        return kernel.CreateFileA(name.c_str(), access, share, disposition, sys::FILE_ATTRIBUTE_NORMAL);
    }

    bool put(const std::string& name, const std::string& content) {
        return wintest::writeFile(name, Bytes(content.begin(), content.end()));
    }
};

TEST_F(KernelTest, DispositionsMeetAnExistingOrMissingFileAsWindowsDoes) {
    struct Case {
        const char* what;
        bool exists;
        sys::DWORD disposition;
        bool opens;
        sys::DWORD error;     // when it does not open
        long sizeAfterOpen;   // when it does
    };
    const Case cases[] = {
        {"CREATE_NEW on an existing file", true, sys::CREATE_NEW, false, sys::ERROR_FILE_EXISTS, 0},
        {"CREATE_NEW on a missing file", false, sys::CREATE_NEW, true, 0, 0},
        {"CREATE_ALWAYS truncates", true, sys::CREATE_ALWAYS, true, 0, 0},
        {"OPEN_EXISTING keeps the content", true, sys::OPEN_EXISTING, true, 0, 5},
        {"OPEN_EXISTING on a missing file", false, sys::OPEN_EXISTING, false, sys::ERROR_FILE_NOT_FOUND, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string name = path("subject.bin");
        if (c.exists) {
            ASSERT_TRUE(put(name, "hello"));
        }
        const sys::Handle h = create(name, sys::GENERIC_WRITE, 0, c.disposition);
        if (!c.opens) {
            EXPECT_EQ(h, sys::INVALID_HANDLE_VALUE);
            EXPECT_EQ(kernel.GetLastError(), c.error);
        } else {
            ASSERT_NE(h, sys::INVALID_HANDLE_VALUE);
            sys::DWORD high = 7;
            EXPECT_EQ(kernel.GetFileSize(h, &high), static_cast<sys::DWORD>(c.sizeAfterOpen));
            EXPECT_EQ(high, 0u);
            EXPECT_TRUE(kernel.CloseHandle(h));
        }
        kernel.DeleteFileA(name.c_str());
    }
}

TEST_F(KernelTest, ShareModeZeroKeepsEverySecondReaderAndWriterOut) {
    const std::string name = path("Dsck.tr");
    ASSERT_TRUE(put(name, "image"));
    const sys::Handle first = create(name, sys::GENERIC_READ, 0, sys::OPEN_EXISTING);
    ASSERT_NE(first, sys::INVALID_HANDLE_VALUE);
    struct Case {
        sys::DWORD access;
        bool opens;
    };
    // An opener that asks for no access at all only looks at the file; that
    // is how the console launch tells that zelkor.exe exists.
    const Case cases[] = {{sys::GENERIC_READ, false}, {sys::GENERIC_WRITE, false}, {0, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.access);
        const sys::Handle second = create(name, c.access, ShareBoth, sys::OPEN_EXISTING);
        EXPECT_EQ(second != sys::INVALID_HANDLE_VALUE, c.opens);
        if (second != sys::INVALID_HANDLE_VALUE)
            kernel.CloseHandle(second);
        else
            EXPECT_EQ(kernel.GetLastError(), sys::ERROR_SHARING_VIOLATION);
    }
    EXPECT_TRUE(kernel.CloseHandle(first));
    const sys::Handle again = create(name, sys::GENERIC_READ, 0, sys::OPEN_EXISTING);
    EXPECT_NE(again, sys::INVALID_HANDLE_VALUE);
    kernel.CloseHandle(again);
}

TEST_F(KernelTest, PositionedReadsAndWritesUseTheLowPartOfTheDistance) {
    const std::string name = path("sectors.bin");
    const Bytes image = wintest::numberedImage(8);
    ASSERT_TRUE(wintest::writeFile(name, image));
    const sys::Handle h = create(name, sys::GENERIC_READ | sys::GENERIC_WRITE, 0, sys::OPEN_EXISTING);
    ASSERT_NE(h, sys::INVALID_HANDLE_VALUE);

    EXPECT_EQ(kernel.SetFilePointer(h, 5 * 512, sys::FILE_BEGIN), 5u * 512);
    unsigned char sector[512];
    sys::DWORD got = 0;
    ASSERT_TRUE(kernel.ReadFile(h, sector, 512, &got));
    EXPECT_EQ(got, 512u);
    EXPECT_EQ(Bytes(sector, sector + 512), wintest::sectorOf(image, 5));

    // A read at the end delivers nothing and still succeeds.
    kernel.SetFilePointer(h, 8 * 512, sys::FILE_BEGIN);
    ASSERT_TRUE(kernel.ReadFile(h, sector, 512, &got));
    EXPECT_EQ(got, 0u);

    const Bytes replacement = wintest::sectorOf(image, 1);
    kernel.SetFilePointer(h, 2 * 512, sys::FILE_BEGIN);
    sys::DWORD written = 0;
    ASSERT_TRUE(kernel.WriteFile(h, replacement.data(), 512, &written));
    EXPECT_EQ(written, 512u);
    EXPECT_TRUE(kernel.CloseHandle(h));

    Bytes after;
    ASSERT_TRUE(wintest::readFile(name, after));
    EXPECT_EQ(wintest::sectorOf(after, 2), replacement);
    EXPECT_EQ(wintest::sectorOf(after, 3), wintest::sectorOf(image, 3));
}

TEST_F(KernelTest, MoveNeverReplacesAndDeleteReportsAMissingFile) {
    const std::string from = path("zelkor.tmp"), to = path("zelkor.exe");
    ASSERT_TRUE(put(from, "new"));
    ASSERT_TRUE(put(to, "old"));
    EXPECT_FALSE(kernel.MoveFileA(from.c_str(), to.c_str()));
    EXPECT_EQ(kernel.GetLastError(), sys::ERROR_ALREADY_EXISTS);
    Bytes kept;
    ASSERT_TRUE(wintest::readFile(to, kept));
    EXPECT_EQ(std::string(kept.begin(), kept.end()), "old");

    EXPECT_TRUE(kernel.DeleteFileA(to.c_str()));
    EXPECT_TRUE(kernel.MoveFileA(from.c_str(), to.c_str()));
    EXPECT_FALSE(wintest::fileExists(from));
    EXPECT_FALSE(kernel.DeleteFileA(from.c_str()));
    EXPECT_EQ(kernel.GetLastError(), sys::ERROR_FILE_NOT_FOUND);
}

TEST_F(KernelTest, CreatedProcessHandlesAreTheSystemsOwn) {
    // The shell's start-up record: its size and nothing else.
    sys::StartupInfo startup{};
    startup.cb = sizeof startup;
    char command[] = "cmd.exe /c exit 7";
    sys::ProcessInformation info{};
    ASSERT_TRUE(kernel.CreateProcessA(nullptr, command, false, 0, startup, &info));
    ASSERT_NE(info.hProcess, 0);
    ASSERT_NE(info.dwProcessId, 0u);
    EXPECT_TRUE(wintest::waitForExit(info.hProcess, 30000));
    EXPECT_EQ(wintest::exitCode(info.hProcess), 7u);
    EXPECT_TRUE(kernel.CloseHandle(info.hProcess));
    EXPECT_TRUE(kernel.CloseHandle(info.hThread));
    EXPECT_FALSE(kernel.CloseHandle(info.hThread));
}

class DriveATest : public KernelTest {
protected:
    std::unique_ptr<wintest::MappedDriveA> drive = wintest::MappedDriveA::fromEnvironment();

    void SetUp() override {
        if (!drive) GTEST_SKIP() << "drive A: is not mapped for this run; start it through cmake/wine-run.sh";
        ASSERT_TRUE(drive->reset(Bytes(1474560, 0)));
        // A run in one of Wine's Windows modes names the version it must see.
        if (const char* expected = std::getenv("DORVANE_EXPECT_WINDOWS_VERSION")) {
            sys::OsVersionInfo info{};
            info.dwOSVersionInfoSize = sizeof info;
            ASSERT_TRUE(kernel.GetVersionExA(&info));
            EXPECT_EQ(std::to_string(info.dwMajorVersion) + "." + std::to_string(info.dwMinorVersion), expected);
        }
    }
};

TEST_F(DriveATest, RawWritesLandAtTheirSectorsOfTheImage) {
    const sys::Handle volume = kernel.CreateFileA("\\\\.\\a:", sys::GENERIC_READ | sys::GENERIC_WRITE, ShareBoth,
                                                  sys::OPEN_EXISTING, sys::FILE_FLAG_WRITE_THROUGH);
    ASSERT_NE(volume, sys::INVALID_HANDLE_VALUE) << kernel.GetLastError();
    sys::DWORD returned = 0;
    EXPECT_TRUE(kernel.DeviceIoControl(volume, sys::FSCTL_LOCK_VOLUME, nullptr, 0, nullptr, 0, &returned));

    const Bytes source = wintest::numberedImage(300);
    struct Transfer {
        int imageFirst, count, disketteFirst;
    };
    const Transfer transfers[] = {{244, 1, 0}, {0, 2, 1}, {11, 7, 3}, {18, 113, 20}, {246, 2, 2878}};
    for (const Transfer& t : transfers) {
        SCOPED_TRACE(t.disketteFirst);
        const auto offset = static_cast<sys::LONG>(t.disketteFirst * 512);
        EXPECT_EQ(kernel.SetFilePointer(volume, offset, sys::FILE_BEGIN), static_cast<sys::DWORD>(offset));
        sys::DWORD written = 0;
        const auto bytes = static_cast<sys::DWORD>(t.count * 512);
        ASSERT_TRUE(kernel.WriteFile(volume, source.data() + t.imageFirst * 512, bytes, &written));
        EXPECT_EQ(written, bytes);
    }
    EXPECT_TRUE(kernel.CloseHandle(volume));

    Bytes disk;
    ASSERT_TRUE(wintest::readFile(drive->image(), disk));
    ASSERT_EQ(disk.size(), 1474560u);
    for (const Transfer& t : transfers)
        for (int i = 0; i < t.count; ++i)
            EXPECT_EQ(wintest::sectorOf(disk, t.disketteFirst + i), wintest::sectorOf(source, t.imageFirst + i))
                << "diskette sector " << t.disketteFirst + i;
    // Sectors no transfer named stay as they were.
    EXPECT_EQ(wintest::sectorOf(disk, 19), Bytes(512, 0));
    EXPECT_EQ(wintest::sectorOf(disk, 2877), Bytes(512, 0));
}

// Wine backs drive A: with an image file: the geometry request is not
// supported, and the volume handle's size is the image's. A medium smaller
// or larger than a 1.44 MB diskette is refused, and asking changes nothing.
TEST_F(DriveATest, TheMediumsSizeComesFromTheImageBehindTheDrive) {
    const struct {
        std::size_t bytes;
        bool fits;
    } cases[] = {{102'400, false}, {737'280, false}, {1'474'048, false}, {1'474'560, true}, {2'949'120, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        Bytes pattern(c.bytes);
        for (std::size_t i = 0; i < pattern.size(); ++i) pattern[i] = static_cast<std::uint8_t>(i * 7 + i / 512);
        ASSERT_TRUE(drive->reset(pattern));
        const sys::Handle volume = kernel.CreateFileA("\\\\.\\a:", sys::GENERIC_READ | sys::GENERIC_WRITE,
                                                      ShareBoth, sys::OPEN_EXISTING, sys::FILE_FLAG_WRITE_THROUGH);
        ASSERT_NE(volume, sys::INVALID_HANDLE_VALUE) << kernel.GetLastError();
        sys::DWORD returned = 0;
        EXPECT_TRUE(kernel.DeviceIoControl(volume, sys::FSCTL_LOCK_VOLUME, nullptr, 0, nullptr, 0, &returned));
        sys::DiskGeometry geometry{};
        EXPECT_FALSE(kernel.DeviceIoControl(volume, sys::IOCTL_DISK_GET_DRIVE_GEOMETRY, nullptr, 0, &geometry,
                                            sizeof geometry, &returned));
        EXPECT_EQ(kernel.GetLastError(), sys::ERROR_NOT_SUPPORTED);
        sys::DWORD high = 7;
        EXPECT_EQ(kernel.GetFileSize(volume, &high), c.bytes);
        EXPECT_EQ(high, 0u);
        EXPECT_EQ(media::DisketteHoldsRun(kernel, volume), c.fits);
        EXPECT_TRUE(kernel.CloseHandle(volume));
        Bytes after;
        ASSERT_TRUE(wintest::readFile(drive->image(), after));
        EXPECT_TRUE(after == pattern);
    }
}

TEST_F(DriveATest, NamesOnDriveAAreFilesInItsFolder) {
    struct Case {
        const char* name;
        const char* inFolder;
        std::string content;
    };
    const Case cases[] = {{"a:/Dsck.tr", "Dsck.tr", "image copy"}, {"a:zelkor.exe", "zelkor.exe", "program"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const sys::Handle h =
            kernel.CreateFileA(c.name, sys::GENERIC_WRITE, 0, sys::CREATE_NEW, sys::FILE_ATTRIBUTE_NORMAL);
        ASSERT_NE(h, sys::INVALID_HANDLE_VALUE) << kernel.GetLastError();
        sys::DWORD written = 0;
        ASSERT_TRUE(kernel.WriteFile(h, c.content.data(), static_cast<sys::DWORD>(c.content.size()), &written));
        EXPECT_TRUE(kernel.CloseHandle(h));
        Bytes found;
        ASSERT_TRUE(wintest::readFile(drive->folder() + "\\" + c.inFolder, found));
        EXPECT_EQ(std::string(found.begin(), found.end()), c.content);
        // The writer's CREATE_NEW refuses a second diskette file of the name.
        EXPECT_EQ(kernel.CreateFileA(c.name, sys::GENERIC_WRITE, 0, sys::CREATE_NEW, sys::FILE_ATTRIBUTE_NORMAL),
                  sys::INVALID_HANDLE_VALUE);
        EXPECT_EQ(kernel.GetLastError(), sys::ERROR_FILE_EXISTS);
    }
}

TEST_F(DriveATest, ARawDeviceThatCannotBeWrittenRefusesTheOpenForWriting) {
    if (!drive->useReadOnlyImage(true)) GTEST_SKIP() << "this run has no read-only diskette image";
    const sys::Handle volume = kernel.CreateFileA("\\\\.\\a:", sys::GENERIC_READ | sys::GENERIC_WRITE, ShareBoth,
                                                  sys::OPEN_EXISTING, sys::FILE_FLAG_WRITE_THROUGH);
    EXPECT_EQ(volume, sys::INVALID_HANDLE_VALUE);
    if (volume != sys::INVALID_HANDLE_VALUE) kernel.CloseHandle(volume);
    EXPECT_TRUE(drive->useReadOnlyImage(false));
}

}  // namespace
