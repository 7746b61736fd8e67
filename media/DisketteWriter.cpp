#include "media/DisketteWriter.h"

#include <cstring>
#include <string>

#include "media/DisketteCapacity.h"
#include "media/DosCalls.h"
#include "media/ImageLayout.h"
#include "media/RawTransfers.h"
#include "media/RegenerationImage.h"

namespace media {

bool DiskettePlatformIsWin9x = false;
unsigned char DisketteBuffer[DisketteBufferSize] = {};

namespace {

// Receives the count of every read and write; only the writes' counts are
// checked against the request.
sys::DWORD DisketteByteCount = 0;

constexpr const char* VWin32Device = "\\\\.\\vwin32";
constexpr const char* RawVolume = "\\\\.\\a:";
constexpr const char* ImageCopyName = "a:/Dsck.tr";
constexpr const char* ProgramName = "a:zelkor.exe";

bool writeWhole(sys::Kernel& kernel, sys::Handle h, sys::DWORD bytes) {
    return kernel.WriteFile(h, DisketteBuffer, bytes, &DisketteByteCount) && DisketteByteCount == bytes;
}

sys::Handle createDisketteFile(sys::Kernel& kernel, const char* name) {
    return kernel.CreateFileA(name, sys::GENERIC_WRITE, 0, sys::CREATE_NEW, sys::FILE_ATTRIBUTE_NORMAL);
}

// How the raw phase reaches the diskette's sectors: the DOS services of the
// vwin32 device on Windows 9x, the raw volume elsewhere. Chosen once per run
// from the writer's platform copy.
struct RawPath {
    // The raw access ready for writing, or INVALID_HANDLE_VALUE; a refused
    // lock leaves nothing open.
    sys::Handle (*open)(sys::Kernel& kernel);
    bool (*write)(sys::Kernel& kernel, sys::Handle device, std::int32_t first, std::int32_t count);
    // Gives up what `open` took beyond the handle; its failure is ignored.
    void (*release)(sys::Kernel& kernel, sys::Handle device);
    // Whether the medium is a 1.44 MB diskette, asked before the first write.
    bool (*holdsRun)(sys::Kernel& kernel, sys::Handle device);
};

constexpr std::uint32_t LockLogicalVolume = 0x084A;
constexpr std::uint32_t UnlockLogicalVolume = 0x086A;
constexpr std::uint32_t LevelZeroDriveA = 0x0001;  // BH = lock level 0, BL = drive 1

bool volumeLockCall(sys::Kernel& kernel, sys::Handle vwin32, std::uint32_t minorCode) {
    DiocRegisters regs{};
    regs.reg_EAX = GenericIoctl;
    regs.reg_EBX = LevelZeroDriveA;
    regs.reg_ECX = minorCode;
    regs.reg_EDX = 0;
    return CallDos(kernel, vwin32, sys::VWIN32_DIOC_DOS_IOCTL, regs);
}

// While the raw phase rewrites the allocation tables and the root directory,
// the level-0 lock keeps other programs off the diskette and makes the file
// system let go of the tables it may have cached.
sys::Handle openVwin32(sys::Kernel& kernel) {
    const sys::Handle vwin32 = kernel.CreateFileA(VWin32Device, sys::GENERIC_READ,
                                                  sys::FILE_SHARE_READ | sys::FILE_SHARE_WRITE, sys::OPEN_EXISTING,
                                                  sys::FILE_ATTRIBUTE_NORMAL);
    if (vwin32 == sys::INVALID_HANDLE_VALUE) return vwin32;
    if (!volumeLockCall(kernel, vwin32, LockLogicalVolume)) {
        kernel.CloseHandle(vwin32);
        return sys::INVALID_HANDLE_VALUE;
    }
    return vwin32;
}

bool writeInt26(sys::Kernel& kernel, sys::Handle vwin32, std::int32_t first, std::int32_t count) {
    DiocRegisters regs{};
    // The low 32 bits are the whole address in the 32-bit build, the only
    // one that runs on Windows 9x.
    regs.reg_EBX = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(DisketteBuffer));
    regs.reg_EDX = static_cast<std::uint32_t>(first);
    regs.reg_ECX = static_cast<std::uint32_t>(count);
    regs.reg_EAX = 0;  // drive A:
    // What reg_EAX holds after a good write is not defined: only the carry
    // flag tells.
    return CallDos(kernel, vwin32, sys::VWIN32_DIOC_DOS_INT26, regs);
}

void unlockVwin32(sys::Kernel& kernel, sys::Handle vwin32) { volumeLockCall(kernel, vwin32, UnlockLogicalVolume); }

sys::Handle openVolume(sys::Kernel& kernel) {
    const sys::Handle volume =
        kernel.CreateFileA(RawVolume, sys::GENERIC_READ | sys::GENERIC_WRITE,
                           sys::FILE_SHARE_READ | sys::FILE_SHARE_WRITE, sys::OPEN_EXISTING, sys::FILE_FLAG_WRITE_THROUGH);
    if (volume == sys::INVALID_HANDLE_VALUE) return volume;
    // Raw writes to a mounted volume's file-system sectors are refused unless
    // the volume is locked, and a file system that keeps its cached tables
    // would write them back over the fresh raw area. The dismount may be
    // refused where the lock alone already permits the writes.
    sys::DWORD returned = 0;
    if (!kernel.DeviceIoControl(volume, sys::FSCTL_LOCK_VOLUME, nullptr, 0, nullptr, 0, &returned)) {
        kernel.CloseHandle(volume);
        return sys::INVALID_HANDLE_VALUE;
    }
    kernel.DeviceIoControl(volume, sys::FSCTL_DISMOUNT_VOLUME, nullptr, 0, nullptr, 0, &returned);
    return volume;
}

bool writeVolume(sys::Kernel& kernel, sys::Handle volume, std::int32_t first, std::int32_t count) {
    if (!SeekTo(kernel, volume, first * SectorSize)) return false;
    return writeWhole(kernel, volume, static_cast<sys::DWORD>(count * SectorSize));
}

// Closing the volume handle ends its lock.
void keepVolume(sys::Kernel&, sys::Handle) {}

constexpr RawPath Int26Path{openVwin32, writeInt26, unlockVwin32, Win9xMediumHoldsRun};
constexpr RawPath VolumePath{openVolume, writeVolume, keepVolume, VolumeHoldsRun};

const RawPath& rawPath() { return DiskettePlatformIsWin9x ? Int26Path : VolumePath; }

// Diskette sectors 0-787 by number. Releases and closes the raw access on
// every path.
bool writeRawArea(sys::Kernel& kernel, RegenerationImage& image, sys::Handle device, std::int32_t& counter,
                  DisketteProgress& progress) {
    const RawPath& raw = rawPath();
    // A medium that is not a 1.44 MB diskette fails here, on the first
    // transfer's failure path, before anything is read or written.
    const bool fits = DisketteHoldsRun(kernel, device);
    for (const RawTransfer& t : RawTransfers) {
        const auto bytes = static_cast<sys::DWORD>(t.count * SectorSize);
        if (!fits || image.ReadSectors(t.imageFirst, t.count, DisketteBuffer) != bytes ||
            !WriteDisketteSectors(kernel, device, counter, t.count)) {
            raw.release(kernel, device);
            image.Close();
            kernel.CloseHandle(device);
            return false;
        }
        progress.Transferred();
        if (t.report == RawReport::WithoutPosition) progress.Report(std::nullopt);
        if (t.report == RawReport::WithPosition) progress.Report(counter);
        counter += t.count;
    }
    raw.release(kernel, device);
    kernel.CloseHandle(device);
    return true;
}

// The first 720,896 bytes of the image as "a:/Dsck.tr".
bool copyImage(sys::Kernel& kernel, RegenerationImage& image, std::int64_t imageSize, std::int32_t& counter,
               DisketteProgress& progress) {
    const sys::Handle file = createDisketteFile(kernel, ImageCopyName);
    if (file == sys::INVALID_HANDLE_VALUE) {
        image.Close();
        return false;
    }
    bool ok = image.Rewind();
    constexpr std::int32_t blockSectors = ImageCopyBlockBytes / SectorSize;
    for (std::int32_t block = 0; ok && block < MinimumImageSectors; block += blockSectors) {
        const sys::DWORD got = image.ReadNext(DisketteBuffer, ImageCopyBlockBytes);
        // Only the last block of an image that ends before sector 1408 may
        // come back short; what lies beyond the image's end is written as zeros.
        const std::int64_t remaining = imageSize - static_cast<std::int64_t>(block) * SectorSize;
        if (got != ImageCopyBlockBytes) {
            if (remaining >= ImageCopyBlockBytes || got != remaining) {
                ok = false;
                break;
            }
            std::memset(DisketteBuffer + got, 0, DisketteBufferSize - got);
        }
        ok = writeWhole(kernel, file, ImageCopyBlockBytes);
        if (ok) {
            progress.Transferred();
            progress.Report(counter);
            counter += blockSectors;
        }
    }
    // A failed close may have lost the last bytes or the directory entry.
    ok = kernel.CloseHandle(file) && ok;
    if (!ok) image.Close();
    return ok;
}

// The console program's five runs as "a:zelkor.exe".
bool writeProgram(sys::Kernel& kernel, RegenerationImage& image, std::int32_t& counter, DisketteProgress& progress) {
    const sys::Handle file = createDisketteFile(kernel, ProgramName);
    if (file == sys::INVALID_HANDLE_VALUE) {
        image.Close();
        return false;
    }
    bool ok = true;
    for (const SectorRun& run : ConsoleProgramRuns) {
        const auto bytes = static_cast<sys::DWORD>(run.bytes());
        ok = image.ReadSectors(run.first, run.count(), DisketteBuffer) == bytes && writeWhole(kernel, file, bytes);
        if (!ok) break;
        progress.Transferred();
        counter += run.count();
    }
    if (ok) progress.Report(counter);
    ok = kernel.CloseHandle(file) && ok;
    if (!ok) image.Close();
    return ok;
}

}  // namespace

void SetDiskettePlatform(bool isWin9x) { DiskettePlatformIsWin9x = isWin9x; }

sys::Handle OpenDisketteDevice(sys::Kernel& kernel) { return rawPath().open(kernel); }

bool WriteDisketteSectors(sys::Kernel& kernel, sys::Handle device, std::int32_t first, std::int32_t count) {
    return rawPath().write(kernel, device, first, count);
}

bool DisketteHoldsRun(sys::Kernel& kernel, sys::Handle device) { return rawPath().holdsRun(kernel, device); }

bool WriteRegeneratingDiskette(sys::Kernel& kernel, DisketteProgress& progress, sys::Diagnostics& diagnostics) {
    std::int32_t counter = 0;
    RegenerationImage image(kernel);
    if (!image.Open()) return false;
    // An image that can't serve every sector the run addresses fails before
    // anything is written.
    const std::int64_t imageSize = image.Size();
    constexpr std::int64_t minimumBytes = static_cast<std::int64_t>(MinimumImageSectors) * SectorSize;
    if (imageSize < minimumBytes) {
        if (imageSize >= 0)
            diagnostics.Cause("the regeneration image Dsck.tr is too short: " + std::to_string(imageSize) +
                              " bytes, at least " + std::to_string(minimumBytes) + " needed");
        image.Close();
        return false;
    }
    const sys::Handle device = OpenDisketteDevice(kernel);
    if (device == sys::INVALID_HANDLE_VALUE) {
        image.Close();
        return false;
    }
    if (!writeRawArea(kernel, image, device, counter, progress)) return false;
    if (!copyImage(kernel, image, imageSize, counter, progress)) return false;
    if (!writeProgram(kernel, image, counter, progress)) return false;
    image.Close();
    return true;
}

}  // namespace media
