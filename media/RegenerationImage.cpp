#include "media/RegenerationImage.h"

#include "media/ImageLayout.h"

namespace media {

bool SeekTo(sys::Kernel& kernel, sys::Handle h, std::int32_t offset) {
    const sys::DWORD result = kernel.SetFilePointer(h, offset, sys::FILE_BEGIN);
    // The failure value is also a valid low half of a large position, so the
    // error code decides.
    return result != sys::INVALID_SET_FILE_POINTER || kernel.GetLastError() == sys::NO_ERROR;
}

bool RegenerationImage::Open() {
    handle_ = kernel_.CreateFileA("Dsck.tr", sys::GENERIC_READ, 0, sys::OPEN_EXISTING, sys::FILE_ATTRIBUTE_NORMAL);
    return isOpen();
}

std::int64_t RegenerationImage::Size() {
    sys::DWORD high = 0;
    const sys::DWORD low = kernel_.GetFileSize(handle_, &high);
    if (low == sys::INVALID_FILE_SIZE && kernel_.GetLastError() != sys::NO_ERROR) return -1;
    return (static_cast<std::int64_t>(high) << 32) | low;
}

sys::DWORD RegenerationImage::ReadSectors(std::int32_t first, std::int32_t count, void* buffer) {
    if (!SeekTo(kernel_, handle_, first * SectorSize)) return 0;
    return ReadNext(buffer, static_cast<sys::DWORD>(count * SectorSize));
}

bool RegenerationImage::Rewind() { return SeekTo(kernel_, handle_, 0); }

sys::DWORD RegenerationImage::ReadNext(void* buffer, sys::DWORD bytes) {
    sys::DWORD done = 0;
    if (!kernel_.ReadFile(handle_, buffer, bytes, &done)) return 0;
    return done;
}

void RegenerationImage::Close() {
    if (!isOpen()) return;
    kernel_.CloseHandle(handle_);
    handle_ = sys::INVALID_HANDLE_VALUE;
}

}  // namespace media
