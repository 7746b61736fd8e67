// Whether the medium in drive A: can hold a whole run, asked once the raw
// access is open (and locked) and before its first write.
#pragma once

#include <cstdint>

#include "platform/kernel.h"

namespace media {

// A 1.44 MB diskette: 2,880 sectors of 512 bytes. A smaller medium would be
// left half-made; a larger one is not a diskette at all (a hard disk or a USB
// stick named as drive A: by mistake), and the raw area would destroy it.
constexpr std::uint64_t DisketteCapacityBytes = 2880ull * 512;

// True when the medium behind the raw access is exactly a 1.44 MB diskette.
// An empty drive, or a device that tells no size, is refused.
// Windows 9x: the device parameters of the medium in drive A:, asked through
// the vwin32 device once the volume is locked.
bool Win9xMediumHoldsRun(sys::Kernel& kernel, sys::Handle vwin32);
// Elsewhere: the geometry of the raw volume, or the size behind its handle.
bool VolumeHoldsRun(sys::Kernel& kernel, sys::Handle volume);

}  // namespace media
