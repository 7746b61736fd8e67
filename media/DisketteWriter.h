// Turns the regeneration image into a bootable regenerating diskette in drive
// A:: the raw area by sector number, then "a:/Dsck.tr" and "a:zelkor.exe"
// through the diskette's file system.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/diagnostics.h"
#include "platform/kernel.h"

namespace media {

// Where the run stands, on the scale 0 to 2384 (sectors moved so far).
class DisketteProgress {
public:
    virtual void Report(std::optional<std::int32_t> position) = 0;
    // After every transfer, reported or not (15 raw writes, 11 blocks of the
    // copy, 5 runs of the program): a caller that holds its message loop for
    // the run can answer the system here. No report, no position.
    virtual void Transferred() {}

protected:
    ~DisketteProgress() = default;
};

// The register block of the Windows 9x DOS services (absolute disk write,
// IOCTL): 28 bytes, seven little-endian 32-bit fields. On return bit 0 of
// reg_Flags, the carry flag, is set exactly when the service failed.
struct DiocRegisters {
    std::uint32_t reg_EBX;
    std::uint32_t reg_EDX;
    std::uint32_t reg_ECX;
    std::uint32_t reg_EAX;
    std::uint32_t reg_EDI;
    std::uint32_t reg_ESI;
    std::uint32_t reg_Flags;
};
static_assert(sizeof(DiocRegisters) == 28);

constexpr std::size_t DisketteBufferSize = 65536;

// The writer's own copy of the platform flag; false until the main window's
// first timer tick hands it over.
extern bool DiskettePlatformIsWin9x;
// Every transfer of a run passes through this one buffer.
extern unsigned char DisketteBuffer[DisketteBufferSize];

void SetDiskettePlatform(bool isWin9x);

// The raw access of the current platform, ready for writing (on Windows 9x
// with drive A:'s level-0 lock taken), or INVALID_HANDLE_VALUE.
sys::Handle OpenDisketteDevice(sys::Kernel& kernel);

// Writes `count` sectors from the start of DisketteBuffer at `first`.
bool WriteDisketteSectors(sys::Kernel& kernel, sys::Handle device, std::int32_t first, std::int32_t count);
// Whether the medium behind the raw access is a 1.44 MB diskette, the one
// medium a run may write (see DisketteCapacity.h).
bool DisketteHoldsRun(sys::Kernel& kernel, sys::Handle device);

// One whole run. True after the last diskette file is closed; false after a
// failure, with every handle of the run closed. A failure the kernel did not
// meet itself (a short image) is told to `diagnostics` as its cause.
bool WriteRegeneratingDiskette(sys::Kernel& kernel, DisketteProgress& progress,
                               sys::Diagnostics& diagnostics = sys::silentDiagnostics());

}  // namespace media
