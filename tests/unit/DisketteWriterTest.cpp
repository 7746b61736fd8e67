// The diskette run on the fake kernel: what lands where, in which calls, and
// how every failure ends.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>

#include "media/DisketteWriter.h"
#include "tests/fakes/FakeKernel.h"
#include "tests/fakes/Report.h"
#include "tests/fakes/TestImage.h"
#include "tests/support/ImageMap.h"

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

const std::string Vwin32 = "\\\\.\\vwin32";
const std::string LockCall = "DeviceIoControl(" + Vwin32 + ", 0x1, 0x84a)";
const std::string ReleaseCall = "DeviceIoControl(" + Vwin32 + ", 0x1, 0x86a)";

// The 28 bytes of a register block from its seven fields, in block order
// (EBX, EDX, ECX, EAX, EDI, ESI, Flags).
Bytes RegisterBlock(std::initializer_list<std::uint32_t> fields) {
    Bytes block;
    for (std::uint32_t f : fields)
        for (int byte = 0; byte < 4; ++byte) block.push_back(static_cast<std::uint8_t>(f >> (8 * byte)));
    return block;
}

// Every INT 26h of a run must lie between a lock that succeeded and its
// release, and the release must come before the vwin32 handle is closed.
// Returns what is wrong, or nothing.
std::string LockBracketFault(const std::vector<Call>& calls) {
    bool locked = false;
    for (const Call& c : calls) {
        const std::string s = c.str();
        if (s == LockCall && c.ok) locked = true;
        if (s == ReleaseCall) {
            if (!locked) return "release without a lock";
            locked = !c.ok;
        }
        if (c.op == Op::DeviceIoControl && c.a == sys::VWIN32_DIOC_DOS_INT26 && !locked)
            return "INT 26h outside the lock";
        if (c.op == Op::CloseHandle && c.target == Vwin32 && locked) return "vwin32 closed with the lock held";
    }
    return locked ? "lock never released" : "";
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
        ASSERT_EQ(kernel.sector(d), NumberedSector(static_cast<std::uint32_t>(imagemap::imageSectorFor(d))))
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
    ASSERT_TRUE(run());
    const auto log = kernel.log();
    EXPECT_EQ(log[2], "CreateFileA(\\\\.\\vwin32, 0x80000000, 3, 3, 0x80)");
    const auto blocks = callsOf(Op::DeviceIoControl, Vwin32);
    const std::uint32_t sectors[] = {0, 1, 2, 3, 10, 19, 20, 133, 246, 336, 426, 516, 606, 696, 786};
    const std::uint32_t counts[] = {1, 1, 1, 7, 9, 1, 113, 113, 90, 90, 90, 90, 90, 90, 2};
    ASSERT_EQ(blocks.size(), 1u + 1u + 15u + 1u);
    const auto address = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(media::DisketteBuffer));
    struct Expected {
        sys::DWORD code;
        Bytes block;
    };
    std::vector<Expected> expected;
    // Level-0 lock of drive A: (these calls number A: as 1), the medium's
    // parameters into the transfer buffer, the fifteen writes (INT 26h
    // numbers A: as 0), the release.
    expected.push_back({sys::VWIN32_DIOC_DOS_IOCTL, RegisterBlock({0x0001, 0, 0x084A, 0x440D, 0, 0, 0})});
    expected.push_back({sys::VWIN32_DIOC_DOS_IOCTL, RegisterBlock({0x0001, address, 0x0860, 0x440D, 0, 0, 0})});
    for (std::size_t i = 0; i < 15; ++i)
        expected.push_back({sys::VWIN32_DIOC_DOS_INT26, RegisterBlock({address, sectors[i], counts[i], 0, 0, 0, 0})});
    expected.push_back({sys::VWIN32_DIOC_DOS_IOCTL, RegisterBlock({0x0001, 0, 0x086A, 0x440D, 0, 0, 0})});
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const Call& c = *blocks[i];
        EXPECT_EQ(c.a, expected[i].code) << "call " << i;
        EXPECT_EQ(c.b, 28);
        EXPECT_EQ(c.c, 28);
        EXPECT_EQ(c.block, expected[i].block) << "call " << i;
    }
    EXPECT_EQ(log[3], LockCall);
    const auto release = std::find(log.begin(), log.end(), ReleaseCall);
    ASSERT_NE(release, log.end());
    EXPECT_EQ(*(release + 1), "CloseHandle(" + Vwin32 + ")");
    EXPECT_EQ(LockBracketFault(kernel.calls), "");
    EXPECT_FALSE(kernel.volumeLocked);
    for (std::size_t d = 0; d < 788; ++d)
        ASSERT_EQ(kernel.sector(d), NumberedSector(static_cast<std::uint32_t>(imagemap::imageSectorFor(d)))) << d;
    EXPECT_TRUE(callsOf(Op::WriteFile, "\\\\.\\a:").empty());
    EXPECT_EQ(progress.reports.size(), 22u);
}

// A write is judged by the carry flag alone: reg_EAX is undefined after a
// good write and holds the error code only when the carry is set.
TEST_F(DisketteRun, Windows9xWritesAreJudgedByTheCarryFlag) {
    struct Case {
        const char* what;
        std::uint32_t leftEax;
        std::optional<std::uint32_t> error;
        bool created;
    } cases[] = {
        {"carry clear, reg_EAX left non-zero", 0x00004E01, std::nullopt, true},
        {"carry clear, reg_EAX left 0", 0, std::nullopt, true},
        {"carry set, write-protect code", 0, 0x0300, false},
        {"carry set, reg_EAX 0", 0, 0, false},
    };
    for (const Case& c : cases) {
        FakeKernel k;
        k.files["dsck.tr"] = image;
        k.hasVwin32 = true;
        k.transferBuffer = media::DisketteBuffer;
        k.int26LeftEax = c.leftEax;
        k.int26Error = c.error;
        media::SetDiskettePlatform(true);
        Recorder r(k);
        EXPECT_EQ(media::WriteRegeneratingDiskette(k, r), c.created) << c.what;
        EXPECT_EQ(k.openHandles(), 0) << c.what;
        EXPECT_EQ(LockBracketFault(k.calls), "") << c.what;
        if (c.created) continue;
        // The first write failed: released, then the image and vwin32 closed.
        EXPECT_TRUE(r.reports.empty()) << c.what;
        EXPECT_TRUE(k.disketteFiles.empty()) << c.what;
        const auto log = k.log();
        const std::vector<std::string> tail(log.end() - 4, log.end());
        EXPECT_EQ(tail, (std::vector<std::string>{"DeviceIoControl(" + Vwin32 + ", 0x3)", ReleaseCall,
                                                  "CloseHandle(dsck.tr)", "CloseHandle(" + Vwin32 + ")"}))
            << c.what;
    }
}

TEST_F(DisketteRun, Windows9xLockRefusedWritesNothing) {
    media::SetDiskettePlatform(true);
    kernel.hasVwin32 = true;
    kernel.transferBuffer = media::DisketteBuffer;
    kernel.lockRefused = true;
    EXPECT_FALSE(run());
    EXPECT_TRUE(progress.reports.empty());
    EXPECT_EQ(kernel.drive, Bytes(kernel.drive.size(), 0));
    EXPECT_TRUE(kernel.disketteFiles.empty());
    EXPECT_EQ(kernel.openHandles(), 0);
    const auto log = kernel.log();
    const std::vector<std::string> tail(log.end() - 3, log.end());
    EXPECT_EQ(tail, (std::vector<std::string>{LockCall, "CloseHandle(" + Vwin32 + ")", "CloseHandle(dsck.tr)"}));
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
        if (lock)
            k.lockRefused = true;
        else
            k.disketteInserted = false;
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
// to come back short, the vwin32 DOS services also returning the carry set):
// the run must fail there, or go on where the failure is harmless, and must
// never report or write after a failure. A 1,321-sector image ends inside the
// last copy block, which may then be short only by exactly what the image
// lacks.
TEST_F(DisketteRun, FailureAtEveryCallOfAGoodRun) {
    struct Round {
        const char* name;
        bool win9x;
        sys::DWORD geometryError;
        int sectors;
    };
    for (const Round& path : {Round{"raw volume", false, sys::NO_ERROR, 1408},
                              Round{"raw volume of an image file", false, sys::ERROR_NOT_SUPPORTED, 1408},
                              Round{"Windows 9x", true, sys::NO_ERROR, 1408},
                              Round{"raw volume", false, sys::NO_ERROR, 1321},
                              Round{"Windows 9x", true, sys::NO_ERROR, 1321}}) {
        const bool win9x = path.win9x;
        const int sectors = path.sectors;
        const Bytes source = NumberedImage(static_cast<std::size_t>(sectors));
        FakeKernel good;
        good.files["dsck.tr"] = source;
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
            if (target.op == Op::DeviceIoControl && target.target == Vwin32) faults.push_back(Fault::Carry);
            for (Fault fault : faults) {
                FakeKernel k;
                k.files["dsck.tr"] = source;
                k.hasVwin32 = win9x;
                k.transferBuffer = media::DisketteBuffer;
                k.geometryError = path.geometryError;
                k.injectAt(i, fault);
                Recorder r(k);
                const bool ok = media::WriteRegeneratingDiskette(k, r);
                const char* faultName = fault == Fault::Short ? "short" : fault == Fault::Carry ? "carry set" : "fails";
                const std::string where = target.str() + " " + faultName + " (" + path.name + ") on " +
                                          std::to_string(sectors) + " sectors";

                const bool harmless = (target.op == Op::CloseHandle &&
                                       (target.target == "dsck.tr" || target.target == "\\\\.\\a:" ||
                                        target.target == Vwin32)) ||
                                      (target.op == Op::DeviceIoControl && target.a == sys::FSCTL_DISMOUNT_VOLUME) ||
                                      target.str() == ReleaseCall;
                EXPECT_EQ(ok, harmless) << where;
                const std::string pathName = std::string(path.name) + (sectors == 1321 ? ", 1,321-sector image" : "");
                ReportRow("diskette-faults", {pathName, target.str(), faultName, ok ? "created" : "write error",
                                              std::to_string(r.reports.size())});
                EXPECT_EQ(k.openHandles(), 0) << where;
                EXPECT_EQ(*k.file("Dsck.tr"), source) << where;
                if (win9x) {
                    EXPECT_EQ(LockBracketFault(k.calls), harmless && target.str() == ReleaseCall
                                                                 ? "vwin32 closed with the lock held"
                                                                 : "")
                        << where;
                }
                if (harmless) continue;
                for (std::size_t at : r.callsAtReport) EXPECT_LE(at, i) << where;
                // What follows the fault: the release of a lock that is held,
                // then the closes. In the raw phase the image, then the raw
                // access; elsewhere whatever the phase held, then the image.
                std::string device;
                bool locked = false;
                for (std::size_t j = 0; j < i; ++j) {
                    const Call& c = good.calls[j];
                    if (c.op == Op::CreateFile && c.target.rfind("\\\\.\\", 0) == 0) device = c.target;
                    if (c.op == Op::CloseHandle && c.target == device) device.clear();
                    if (c.str() == LockCall) locked = true;
                    if (c.str() == ReleaseCall) locked = false;
                }
                const bool lock = (target.op == Op::DeviceIoControl && target.a == sys::FSCTL_LOCK_VOLUME) ||
                                  target.str() == LockCall;
                std::vector<std::string> after;
                for (std::size_t j = i + 1; j < k.calls.size(); ++j) after.push_back(k.calls[j].str());
                if (!device.empty() && !lock) {
                    std::vector<std::string> expected = {"CloseHandle(dsck.tr)", "CloseHandle(" + device + ")"};
                    if (locked) expected.insert(expected.begin(), ReleaseCall);
                    EXPECT_EQ(after, expected) << where;
                } else {
                    for (const std::string& call : after)
                        EXPECT_EQ(call.rfind("CloseHandle(", 0), 0u) << where << " then " << call;
                    if (!after.empty()) {
                        EXPECT_EQ(after.back(), "CloseHandle(dsck.tr)") << where;
                    }
                }
            }
        }
    }
}

// Drive A: holding media of several sizes, on each way of asking the size:
// anything but a 1.44 MB diskette is refused before its first byte changes
// (a larger target is a disk named by mistake), and the handles are closed as
// after a failed write.
TEST_F(DisketteRun, MediaOtherThanADisketteAreRefusedUntouched) {
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
                              {"one track pair over 1.44 MB", 1'492'992, false},
                              {"2.88 MB", 2'949'120, false}};
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
