// The diskette run on the fake kernel: what lands where, in which calls, and
// how every failure ends.
#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "media/DisketteWriter.h"
#include "tests/fakes/FakeKernel.h"
#include "tests/fakes/Report.h"
#include "tests/fakes/TestImage.h"

using namespace fakes;

namespace {

struct Recorder : media::DisketteProgress {
    FakeKernel& kernel;
    std::vector<std::optional<std::int32_t>> reports;
    std::vector<std::size_t> callsAtReport;
    explicit Recorder(FakeKernel& k) : kernel(k) {}
    void Report(std::optional<std::int32_t> position) override {
        reports.push_back(position);
        callsAtReport.push_back(kernel.calls.size());
    }
};

class DisketteRun : public ::testing::Test {
protected:
    FakeKernel kernel;
    Recorder progress{kernel};
    Bytes image = NumberedImage(1408);

    void SetUp() override {
        media::SetDiskettePlatform(false);
        kernel.files["dsck.tr"] = image;
    }
    void TearDown() override { media::SetDiskettePlatform(false); }
    bool run() { return media::WriteRegeneratingDiskette(kernel, progress); }

    std::vector<const Call*> callsOf(Op op, const std::string& target) const {
        std::vector<const Call*> found;
        for (const Call& c : kernel.calls)
            if (c.op == op && c.target == target) found.push_back(&c);
        return found;
    }
};

// Which image sector each diskette sector 0-787 must receive, written out
// from the diskette's point of view.
std::size_t expectedImageSectorFor(std::size_t d) {
    if (d == 0) return 244;
    if (d <= 2) return d - 1;         // 1-2   <- 0-1
    if (d <= 9) return d + 8;         // 3-9   <- 11-17
    if (d <= 18) return d - 8;        // 10-18 <- 2-10
    if (d == 19) return 245;
    if (d <= 245) return d - 2;       // 20-245 <- 18-243
    return d;                          // 246-787 unchanged
}

}  // namespace

TEST_F(DisketteRun, FifteenRawWritesAtTheirSectors) {
    ASSERT_TRUE(run());
    struct Write {
        std::int64_t sector;
        std::int64_t count;
    };
    const Write expected[] = {{0, 1},    {1, 1},    {2, 1},    {3, 7},    {10, 9},
                              {19, 1},   {20, 113}, {133, 113}, {246, 90}, {336, 90},
                              {426, 90}, {516, 90}, {606, 90}, {696, 90}, {786, 2}};
    std::vector<Write> actual;
    std::int64_t position = -1;
    for (const Call& c : kernel.calls) {
        if (c.target != "\\\\.\\a:") continue;
        if (c.op == Op::SetFilePointer) position = c.a;
        if (c.op == Op::WriteFile) actual.push_back({position / 512, c.a / 512});
    }
    ASSERT_EQ(actual.size(), std::size(expected));
    for (std::size_t i = 0; i < actual.size(); ++i) {
        EXPECT_EQ(actual[i].sector, expected[i].sector) << "write " << i;
        EXPECT_EQ(actual[i].count, expected[i].count) << "write " << i;
    }
}

TEST_F(DisketteRun, EveryDisketteSectorReceivesItsImageSector) {
    ASSERT_TRUE(run());
    for (std::size_t d = 0; d < 788; ++d)
        ASSERT_EQ(kernel.sector(d), NumberedSector(static_cast<std::uint32_t>(expectedImageSectorFor(d))))
            << "diskette sector " << d;
    // Nothing beyond the raw area is written by number.
    for (std::size_t d = 788; d < FakeKernel::DriveSectors; ++d) ASSERT_EQ(kernel.sector(d), Bytes(512, 0)) << d;
}

TEST_F(DisketteRun, TwentyTwoReportsInOrder) {
    ASSERT_TRUE(run());
    std::vector<std::optional<std::int32_t>> expected = {std::nullopt, 20, 133, 246, 336, 426, 516, 606, 696, 786};
    for (int k = 0; k <= 10; ++k) expected.push_back(788 + 128 * k);
    expected.push_back(2384);
    EXPECT_EQ(progress.reports, expected);
}

TEST_F(DisketteRun, DisketteFilesHoldTheImageAndTheConsoleProgram) {
    ASSERT_TRUE(run());
    ASSERT_EQ(kernel.disketteFiles.size(), 2u);
    EXPECT_EQ(kernel.disketteFiles["DSCK.TR"], Sectors(image, 0, 1408));
    EXPECT_EQ(kernel.disketteFiles["ZELKOR.EXE"].size(), 96256u);
    EXPECT_EQ(kernel.disketteFiles["ZELKOR.EXE"], ConsoleProgramOf(image));
    EXPECT_EQ(kernel.openHandles(), 0);
    EXPECT_EQ(*kernel.file("Dsck.tr"), image);  // the image is never changed
}

TEST_F(DisketteRun, CallsOpenLockAndCloseInOrder) {
    ASSERT_TRUE(run());
    const auto log = kernel.log();
    ASSERT_GE(log.size(), 7u);
    EXPECT_EQ(log[0], "CreateFileA(Dsck.tr, 0x80000000, 0, 3, 0x80)");
    EXPECT_EQ(log[1], "GetFileSize(dsck.tr)");
    EXPECT_EQ(log[2], "CreateFileA(\\\\.\\a:, 0xc0000000, 3, 3, 0x80000000)");
    EXPECT_EQ(log[3], "DeviceIoControl(\\\\.\\a:, 0x90018)");
    EXPECT_EQ(log[4], "DeviceIoControl(\\\\.\\a:, 0x90020)");
    // The medium's size is asked once the volume is locked, before any write.
    EXPECT_EQ(log[5], "DeviceIoControl(\\\\.\\a:, 0x70000)");

    // The copy: one seek to 0, then eleven full blocks read and written.
    const auto seeks = callsOf(Op::SetFilePointer, "dsck.tr");
    const auto reads = callsOf(Op::ReadFile, "dsck.tr");
    const auto blockWrites = callsOf(Op::WriteFile, "DSCK.TR");
    EXPECT_EQ(seeks.size(), 15u + 1u + 5u);
    ASSERT_EQ(blockWrites.size(), 11u);
    for (const Call* w : blockWrites) EXPECT_EQ(w->a, 65536);
    EXPECT_EQ(reads.size(), 15u + 11u + 5u);
    EXPECT_EQ(callsOf(Op::WriteFile, "ZELKOR.EXE").size(), 5u);
    EXPECT_EQ(kernel.log().back(), "CloseHandle(dsck.tr)");
    for (const char* name : {"a:/Dsck.tr", "a:zelkor.exe"}) {
        const auto creates = callsOf(Op::CreateFile, name);
        ASSERT_EQ(creates.size(), 1u) << name;
        EXPECT_EQ(creates[0]->a, sys::GENERIC_WRITE);
        EXPECT_EQ(creates[0]->b, 0);
        EXPECT_EQ(creates[0]->c, sys::CREATE_NEW);
        EXPECT_EQ(creates[0]->d, sys::FILE_ATTRIBUTE_NORMAL);
    }
}

TEST_F(DisketteRun, Windows9xRegisterBlocksByteForByte) {
    media::SetDiskettePlatform(true);
    kernel.hasVwin32 = true;
    kernel.transferBuffer = media::DisketteBuffer;
    kernel.int26Flags = 1;  // the carry flag is not consulted
    ASSERT_TRUE(run());
    EXPECT_EQ(kernel.log()[2], "CreateFileA(\\\\.\\vwin32, 0x80000000, 3, 3, 0x80)");
    auto blocks = callsOf(Op::DeviceIoControl, "\\\\.\\vwin32");
    ASSERT_FALSE(blocks.empty());
    EXPECT_EQ(blocks.front()->a, sys::VWIN32_DIOC_DOS_IOCTL);  // the medium's parameters come first
    {
        // EBX drive A:, EDX the parameter block, ECX disk category 08h minor 60h, EAX 440Dh.
        const auto at = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(media::DisketteBuffer));
        const std::uint32_t fields[] = {1, at, 0x0860, 0x440D, 0, 0, 0};
        Bytes expected(28, 0);
        for (std::size_t f = 0; f < 7; ++f)
            for (std::size_t byte = 0; byte < 4; ++byte)
                expected[f * 4 + byte] = static_cast<std::uint8_t>(fields[f] >> (8 * byte));
        EXPECT_EQ(blocks.front()->block, expected);
    }
    blocks.erase(blocks.begin());
    const std::uint32_t sectors[] = {0, 1, 2, 3, 10, 19, 20, 133, 246, 336, 426, 516, 606, 696, 786};
    const std::uint32_t counts[] = {1, 1, 1, 7, 9, 1, 113, 113, 90, 90, 90, 90, 90, 90, 2};
    ASSERT_EQ(blocks.size(), 15u);
    const auto address = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(media::DisketteBuffer));
    for (std::size_t i = 0; i < 15; ++i) {
        const Call& c = *blocks[i];
        EXPECT_EQ(c.a, sys::VWIN32_DIOC_DOS_INT26);
        EXPECT_EQ(c.b, 28);
        EXPECT_EQ(c.c, 28);
        Bytes expected(28, 0);
        const std::uint32_t fields[] = {address, sectors[i], counts[i], 0, 0, 0, 0};
        for (std::size_t f = 0; f < 7; ++f)
            for (std::size_t byte = 0; byte < 4; ++byte)
                expected[f * 4 + byte] = static_cast<std::uint8_t>(fields[f] >> (8 * byte));
        EXPECT_EQ(c.block, expected) << "block " << i;
    }
    for (std::size_t d = 0; d < 788; ++d)
        ASSERT_EQ(kernel.sector(d), NumberedSector(static_cast<std::uint32_t>(expectedImageSectorFor(d)))) << d;
    EXPECT_TRUE(callsOf(Op::WriteFile, "\\\\.\\a:").empty());
}

TEST_F(DisketteRun, Windows9xNonZeroEaxIsAFailure) {
    media::SetDiskettePlatform(true);
    kernel.hasVwin32 = true;
    kernel.transferBuffer = media::DisketteBuffer;
    kernel.int26Eax = 0x0A;
    EXPECT_FALSE(run());
    EXPECT_TRUE(progress.reports.empty());
    EXPECT_EQ(callsOf(Op::DeviceIoControl, "\\\\.\\vwin32").size(), 2u);  // parameters, one write
    EXPECT_EQ(kernel.openHandles(), 0);
}

TEST_F(DisketteRun, BeforeThePlatformIsKnownTheRawVolumeIsUsed) {
    kernel.hasVwin32 = true;
    ASSERT_TRUE(run());
    EXPECT_TRUE(callsOf(Op::CreateFile, "\\\\.\\vwin32").empty());
}

TEST_F(DisketteRun, ImagesThatCannotServeFailBeforeAnythingIsWritten) {
    struct Case {
        const char* what;
        std::function<void(FakeKernel&)> prepare;
    } cases[] = {
        {"missing", [](FakeKernel& k) { k.files.clear(); }},
        {"a folder", [](FakeKernel& k) { k.files.clear(); k.folders.insert("dsck.tr"); }},
        {"held open elsewhere", [](FakeKernel& k) { k.lockedByOthers.insert("dsck.tr"); }},
        {"empty", [](FakeKernel& k) { k.files["dsck.tr"].clear(); }},
        {"1,320 sectors", [](FakeKernel& k) { k.files["dsck.tr"].resize(1320 * 512); }},
        {"one byte short of 1,321", [](FakeKernel& k) { k.files["dsck.tr"].resize(1321 * 512 - 1); }},
    };
    for (const Case& c : cases) {
        FakeKernel k;
        k.files["dsck.tr"] = image;
        c.prepare(k);
        Recorder r(k);
        EXPECT_FALSE(media::WriteRegeneratingDiskette(k, r)) << c.what;
        EXPECT_TRUE(r.reports.empty()) << c.what;
        EXPECT_EQ(k.drive, Bytes(k.drive.size(), 0)) << c.what;
        EXPECT_TRUE(k.disketteFiles.empty()) << c.what;
        EXPECT_EQ(k.openHandles(), 0) << c.what;
        for (const Call& call : k.calls) EXPECT_NE(call.target, "\\\\.\\a:") << c.what;
    }
}

TEST_F(DisketteRun, ShortAndLongImages) {
    struct Case {
        std::size_t sectors;
    } cases[] = {{1321}, {1400}, {1407}, {1408}, {3000}};
    for (const Case& c : cases) {
        FakeKernel k;
        const Bytes img = NumberedImage(c.sectors);
        k.files["dsck.tr"] = img;
        Recorder r(k);
        ASSERT_TRUE(media::WriteRegeneratingDiskette(k, r)) << c.sectors;
        const Bytes& copy = k.disketteFiles["DSCK.TR"];
        ASSERT_EQ(copy.size(), 720896u) << c.sectors;
        const std::size_t real = std::min<std::size_t>(c.sectors, 1408) * 512;
        EXPECT_TRUE(std::equal(copy.begin(), copy.begin() + static_cast<std::ptrdiff_t>(real), img.begin()));
        // Beyond a short image's end: zeros, never the previous block's bytes.
        EXPECT_TRUE(std::all_of(copy.begin() + static_cast<std::ptrdiff_t>(real), copy.end(),
                                [](std::uint8_t b) { return b == 0; }))
            << c.sectors;
        EXPECT_EQ(r.reports.size(), 22u);
    }
}

TEST_F(DisketteRun, ExistingImageCopyOnTheDisketteFailsAtTheCopyWithTheRawAreaWritten) {
    kernel.disketteFiles["DSCK.TR"] = Bytes(10, 1);
    EXPECT_FALSE(run());
    EXPECT_EQ(kernel.sector(0), NumberedSector(244));
    EXPECT_EQ(kernel.disketteFiles.count("ZELKOR.EXE"), 0u);
    EXPECT_EQ(progress.reports.back(), std::optional<std::int32_t>(786));
    EXPECT_TRUE(callsOf(Op::WriteFile, "DSCK.TR").empty());  // nothing written through a refused creation
    EXPECT_EQ(kernel.openHandles(), 0);
}

TEST_F(DisketteRun, LockRefusedOrNoDisketteWritesNothing) {
    for (bool lock : {true, false}) {
        FakeKernel k;
        k.files["dsck.tr"] = image;
        if (lock) {
            k.lockRefused = true;
        } else {
            k.disketteInserted = false;
        }
        Recorder r(k);
        EXPECT_FALSE(media::WriteRegeneratingDiskette(k, r));
        EXPECT_TRUE(r.reports.empty());
        EXPECT_EQ(k.openHandles(), 0);
        EXPECT_EQ(k.drive, Bytes(k.drive.size(), 0));
        EXPECT_EQ(k.log().back(), "CloseHandle(dsck.tr)");
        if (lock) {
            EXPECT_EQ(k.log()[k.log().size() - 2], "CloseHandle(\\\\.\\a:)");
        }
    }
}

TEST_F(DisketteRun, DismountRefusedIsNotAFailure) {
    kernel.dismountRefused = true;
    EXPECT_TRUE(run());
}

TEST_F(DisketteRun, FullDisketteFailsInTheProgramPhase) {
    kernel.disketteFreeBytes = 720896 + 50000;
    EXPECT_FALSE(run());
    EXPECT_EQ(progress.reports.size(), 21u);
    EXPECT_EQ(kernel.openHandles(), 0);
    const auto log = kernel.log();
    EXPECT_EQ(log[log.size() - 2], "CloseHandle(ZELKOR.EXE)");
    EXPECT_EQ(log.back(), "CloseHandle(dsck.tr)");
}

// Every call of a good run, made to fail in turn (reads and writes also made
// to come back short): the run must fail there, or go on where the failure is
// harmless, and must never report or write after a failure.
TEST_F(DisketteRun, FailureAtEveryCallOfAGoodRun) {
    struct Path {
        const char* name;
        bool win9x;
        sys::DWORD geometryError;
    };
    for (const Path& path : {Path{"raw volume", false, sys::NO_ERROR},
                             Path{"raw volume of an image file", false, sys::ERROR_NOT_SUPPORTED},
                             Path{"Windows 9x", true, sys::NO_ERROR}}) {
        const bool win9x = path.win9x;
        FakeKernel good;
        good.files["dsck.tr"] = image;
        good.hasVwin32 = win9x;
        good.transferBuffer = media::DisketteBuffer;
        good.geometryError = path.geometryError;
        media::SetDiskettePlatform(win9x);
        Recorder goodProgress(good);
        ASSERT_TRUE(media::WriteRegeneratingDiskette(good, goodProgress));

        for (std::size_t i = 0; i < good.calls.size(); ++i) {
            const Call& target = good.calls[i];
            std::vector<Fault> faults = {Fault::Fail};
            if (target.op == Op::ReadFile || target.op == Op::WriteFile) faults.push_back(Fault::Short);
            for (Fault fault : faults) {
                FakeKernel k;
                k.files["dsck.tr"] = image;
                k.hasVwin32 = win9x;
                k.transferBuffer = media::DisketteBuffer;
                k.geometryError = path.geometryError;
                k.injectAt(i, fault);
                Recorder r(k);
                const bool ok = media::WriteRegeneratingDiskette(k, r);
                const std::string where =
                    target.str() + (fault == Fault::Short ? " short" : " failing") + " (" + path.name + ")";

                const bool harmless = (target.op == Op::CloseHandle &&
                                       (target.target == "dsck.tr" || target.target == "\\\\.\\a:" ||
                                        target.target == "\\\\.\\vwin32")) ||
                                      (target.op == Op::DeviceIoControl && target.a == sys::FSCTL_DISMOUNT_VOLUME);
                EXPECT_EQ(ok, harmless) << where;
                ReportRow("diskette-faults", {path.name, target.str(),
                                              fault == Fault::Short ? "short" : "fails",
                                              ok ? "created" : "write error", std::to_string(r.reports.size())});
                EXPECT_EQ(k.openHandles(), 0) << where;
                EXPECT_EQ(*k.file("Dsck.tr"), image) << where;
                if (harmless) continue;
                for (std::size_t after = i + 1; after < k.calls.size(); ++after)
                    EXPECT_EQ(k.calls[after].op, Op::CloseHandle) << where << " then " << k.calls[after].str();
                for (std::size_t at : r.callsAtReport) EXPECT_LE(at, i) << where;
                // Close order: in the raw phase the image, then the raw access;
                // elsewhere whatever the phase held, then the image.
                std::string device;
                for (std::size_t j = 0; j < i; ++j) {
                    const Call& c = good.calls[j];
                    if (c.op == Op::CreateFile && c.target.rfind("\\\\.\\", 0) == 0) device = c.target;
                    if (c.op == Op::CloseHandle && c.target == device) device.clear();
                }
                const bool lock = target.op == Op::DeviceIoControl && target.a == sys::FSCTL_LOCK_VOLUME;
                std::vector<std::string> closes;
                for (std::size_t after = i + 1; after < k.calls.size(); ++after) closes.push_back(k.calls[after].str());
                if (!device.empty() && !lock) {
                    EXPECT_EQ(closes, (std::vector<std::string>{"CloseHandle(dsck.tr)", "CloseHandle(" + device + ")"}))
                        << where;
                } else if (!closes.empty()) {
                    EXPECT_EQ(closes.back(), "CloseHandle(dsck.tr)") << where;
                }
            }
        }
    }
}

// Drive A: holding media of several sizes, on each way of asking the size:
// anything smaller than a 1.44 MB diskette is refused before its first byte
// changes, and the handles are closed as after a failed write.
TEST_F(DisketteRun, MediaSmallerThanADisketteAreRefusedUntouched) {
    struct Path {
        const char* name;
        bool win9x;
        sys::DWORD geometryError;
    };
    const Path paths[] = {{"drive geometry", false, sys::NO_ERROR},
                          {"size of an image-backed drive", false, sys::ERROR_NOT_SUPPORTED},
                          {"Windows 9x device parameters", true, sys::NO_ERROR}};
    struct Target {
        const char* what;
        std::size_t bytes;
        bool fits;
    };
    const Target targets[] = {{"100 KB", 102'400, false},
                              {"720 KB", 737'280, false},
                              {"one sector short of 1.44 MB", 1'474'048, false},
                              {"1.44 MB", 1'474'560, true},
                              {"2.88 MB", 2'949'120, true}};
    for (const Path& path : paths) {
        for (const Target& target : targets) {
            const std::string where = std::string(target.what) + " by " + path.name;
            FakeKernel k;
            k.files["dsck.tr"] = image;
            k.hasVwin32 = path.win9x;
            k.transferBuffer = media::DisketteBuffer;
            k.geometryError = path.geometryError;
            k.drive.resize(target.bytes);
            for (std::size_t i = 0; i < k.drive.size(); ++i) k.drive[i] = static_cast<std::uint8_t>(i * 7 + i / 512);
            const Bytes before = k.drive;
            media::SetDiskettePlatform(path.win9x);
            Recorder r(k);

            EXPECT_EQ(media::WriteRegeneratingDiskette(k, r), target.fits) << where;
            EXPECT_EQ(k.openHandles(), 0) << where;
            ASSERT_EQ(k.drive.size(), before.size()) << where;
            if (!target.fits) {
                EXPECT_EQ(k.drive, before) << where;
                EXPECT_TRUE(k.disketteFiles.empty()) << where;
                EXPECT_TRUE(r.reports.empty()) << where;
                const auto log = k.log();
                const std::string device = path.win9x ? "\\\\.\\vwin32" : "\\\\.\\a:";
                ASSERT_GE(log.size(), 2u);
                EXPECT_EQ(std::vector<std::string>(log.end() - 2, log.end()),
                          (std::vector<std::string>{"CloseHandle(dsck.tr)", "CloseHandle(" + device + ")"}))
                    << where;
            } else {
                // The raw area is the run's; every sector past it is as it was.
                EXPECT_EQ(k.sector(0), NumberedSector(244)) << where;
                EXPECT_TRUE(std::equal(k.drive.begin() + 788 * 512, k.drive.end(), before.begin() + 788 * 512))
                    << where;
            }
            ReportRow("diskette-targets", {"in-memory kernel, " + std::string(path.name), target.what,
                                           std::to_string(target.bytes), target.fits ? "created" : "write error",
                                           k.drive == before ? "unchanged" : "raw area written"});
        }
    }
}

// When the drive cannot tell the medium's size, nothing is written.
TEST_F(DisketteRun, AMediumOfUnknownSizeIsRefused) {
    struct Case {
        const char* what;
        bool win9x;
        std::function<void(FakeKernel&)> prepare;
    } cases[] = {
        {"empty drive: geometry not ready", false, [](FakeKernel& k) { k.geometryError = sys::ERROR_NOT_READY; }},
        {"geometry refused for another reason", false,
         [](FakeKernel& k) { k.geometryError = sys::ERROR_INVALID_PARAMETER; }},
        {"neither geometry nor size", false,
         [](FakeKernel& k) {
             k.geometryError = sys::ERROR_NOT_SUPPORTED;
             k.injectAt(6, Fault::Fail, sys::ERROR_INVALID_PARAMETER);  // the volume's GetFileSize
         }},
        {"Windows 9x: drive not ready (carry set)", true, [](FakeKernel& k) { k.deviceParametersError = 0x15; }},
        {"Windows 9x: the service call fails", true,
         [](FakeKernel& k) { k.injectAt(3, Fault::Fail, sys::ERROR_NOT_SUPPORTED); }},  // the parameters
    };
    for (const Case& c : cases) {
        FakeKernel k;
        k.files["dsck.tr"] = image;
        k.hasVwin32 = c.win9x;
        k.transferBuffer = media::DisketteBuffer;
        c.prepare(k);
        media::SetDiskettePlatform(c.win9x);
        Recorder r(k);
        EXPECT_FALSE(media::WriteRegeneratingDiskette(k, r)) << c.what;
        EXPECT_EQ(k.drive, Bytes(k.drive.size(), 0)) << c.what;
        EXPECT_TRUE(k.disketteFiles.empty()) << c.what;
        EXPECT_EQ(k.openHandles(), 0) << c.what;
        for (const Call& call : k.calls)
            EXPECT_TRUE(call.op != Op::WriteFile && call.op != Op::ReadFile) << c.what << ": " << call.str();
    }
}
