#include "media/DisketteCapacity.h"

#include <cstring>

#include "media/DosCalls.h"

namespace media {

namespace {

// INT 21h 440Dh, category 08h (disk), minor code 60h: get device parameters
// of drive BL (1 = A:). With bit 0 of the first byte set, the parameters
// describe the medium now in the drive rather than the drive's default one.
constexpr std::uint32_t GetDeviceParameters = 0x0860;
constexpr std::uint32_t DriveA = 1;
constexpr std::uint8_t CurrentMedium = 0x01;

// The parameter block is packed: one byte each for the special functions,
// the device type and the media type; the BIOS parameter block starts at 7.
constexpr std::size_t BytesPerSectorAt = 7;
constexpr std::size_t TotalSectorsAt = 15;  // 16 bits; 0 means the 32-bit count
constexpr std::size_t HugeSectorsAt = 28;
constexpr std::size_t ParameterBlockBytes = 38;

std::uint32_t little(const unsigned char* at, std::size_t bytes) {
    std::uint32_t value = 0;
    for (std::size_t i = bytes; i-- > 0;) value = value << 8 | at[i];
    return value;
}

// The block goes in the writer's transfer buffer: its address fits the
// register, as the disk writes' does, and the first image read replaces it.
bool win9xMediumBytes(sys::Kernel& kernel, sys::Handle vwin32, std::uint64_t& bytes) {
    unsigned char* block = DisketteBuffer;
    std::memset(block, 0, ParameterBlockBytes);
    block[0] = CurrentMedium;
    DiocRegisters regs{};
    regs.reg_EAX = GenericIoctl;
    regs.reg_EBX = DriveA;
    regs.reg_ECX = GetDeviceParameters;
    regs.reg_EDX = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(block));
    if (!CallDos(kernel, vwin32, sys::VWIN32_DIOC_DOS_IOCTL, regs)) return false;
    std::uint64_t sectors = little(block + TotalSectorsAt, 2);
    if (sectors == 0) sectors = little(block + HugeSectorsAt, 4);
    bytes = sectors * little(block + BytesPerSectorAt, 2);
    return true;
}

// The drive geometry; where the device does not know that request (a drive
// backed by an image file), the size of what the handle opened.
bool volumeBytes(sys::Kernel& kernel, sys::Handle volume, std::uint64_t& bytes) {
    sys::DiskGeometry geometry{};
    sys::DWORD returned = 0;
    if (kernel.DeviceIoControl(volume, sys::IOCTL_DISK_GET_DRIVE_GEOMETRY, nullptr, 0, &geometry, sizeof geometry,
                               &returned)) {
        if (geometry.Cylinders < 0) return false;
        bytes = static_cast<std::uint64_t>(geometry.Cylinders) * geometry.TracksPerCylinder *
                geometry.SectorsPerTrack * geometry.BytesPerSector;
        return true;
    }
    // An empty drive answers "not ready"; only a request the device does not
    // support leaves the size to ask.
    if (kernel.GetLastError() != sys::ERROR_NOT_SUPPORTED) return false;
    sys::DWORD high = 0;
    const sys::DWORD low = kernel.GetFileSize(volume, &high);
    if (low == sys::INVALID_FILE_SIZE && kernel.GetLastError() != sys::NO_ERROR) return false;
    bytes = std::uint64_t{high} << 32 | low;
    return true;
}

}  // namespace

bool Win9xMediumHoldsRun(sys::Kernel& kernel, sys::Handle vwin32) {
    std::uint64_t bytes = 0;
    return win9xMediumBytes(kernel, vwin32, bytes) && bytes == DisketteCapacityBytes;
}

bool VolumeHoldsRun(sys::Kernel& kernel, sys::Handle volume) {
    std::uint64_t bytes = 0;
    return volumeBytes(kernel, volume, bytes) && bytes == DisketteCapacityBytes;
}

}  // namespace media
