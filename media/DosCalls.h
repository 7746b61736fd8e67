// The DOS services of Windows 9x's vwin32 device, as the diskette writer
// calls them: a register block in, the same block out.
#pragma once

#include <cstdint>

#include "media/DisketteWriter.h"
#include "platform/kernel.h"

namespace media {

// The carry flag of the returned register block: set exactly when a DOS
// service failed, and only then does reg_EAX hold an error code.
constexpr std::uint32_t CarryFlag = 0x0001;

// DOS IOCTL 440Dh (generic block device request), category 08h. These calls
// number the drives from A: = 1, while INT 26h numbers them from A: = 0.
constexpr std::uint32_t GenericIoctl = 0x440D;

// True when the device call went through and the service cleared the carry.
inline bool CallDos(sys::Kernel& kernel, sys::Handle vwin32, sys::DWORD service, DiocRegisters& regs) {
    sys::DWORD returned = 0;
    if (!kernel.DeviceIoControl(vwin32, service, &regs, sizeof regs, &regs, sizeof regs, &returned)) return false;
    return (regs.reg_Flags & CarryFlag) == 0;
}

}  // namespace media
