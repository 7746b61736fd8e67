// The reader of the regeneration image "Dsck.tr" in the working directory.
// One reader per operation: opened at its start, closed at its end.
#pragma once

#include <cstdint>

#include "platform/kernel.h"

namespace media {

class RegenerationImage {
public:
    explicit RegenerationImage(sys::Kernel& kernel) : kernel_(kernel) {}
    ~RegenerationImage() { Close(); }
    RegenerationImage(const RegenerationImage&) = delete;
    RegenerationImage& operator=(const RegenerationImage&) = delete;

    // Read-only and exclusive: while it is open no other opener gets the file.
    bool Open();
    bool isOpen() const { return handle_ != sys::INVALID_HANDLE_VALUE; }
    // The file's length in bytes, or -1 when it can't be told.
    std::int64_t Size();
    // Seeks to `first` and reads `count` whole sectors into `buffer`.
    // Returns the bytes delivered; 0 when the seek or the read failed.
    sys::DWORD ReadSectors(std::int32_t first, std::int32_t count, void* buffer);
    // The whole-image copy places the position at the start once and then
    // reads on from there.
    bool Rewind();
    sys::DWORD ReadNext(void* buffer, sys::DWORD bytes);
    void Close();

private:
    sys::Kernel& kernel_;
    sys::Handle handle_ = sys::INVALID_HANDLE_VALUE;
};

// Moves a file pointer to an absolute byte offset; false when the platform
// reports a failure.
bool SeekTo(sys::Kernel& kernel, sys::Handle h, std::int32_t offset);

}  // namespace media
