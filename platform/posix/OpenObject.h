// What a kernel handle stands for: a plain file, drive A:'s raw sectors, or
// a file being written on drive A:'s FAT12 file system. Each operation
// returns NO_ERROR or the Win32 code of its failure.
#pragma once

#include <cstdint>

#include "platform/kernel.h"

namespace posix {

class OpenObject {
public:
    virtual ~OpenObject() = default;

    virtual sys::DWORD read(void* buffer, sys::DWORD length, sys::DWORD& done) = 0;
    virtual sys::DWORD write(const void* buffer, sys::DWORD length, sys::DWORD& done) = 0;
    virtual sys::DWORD seek(std::int64_t distance, sys::DWORD method, std::uint64_t& position) = 0;
    virtual sys::DWORD size(std::uint64_t& bytes) = 0;
    virtual sys::DWORD control(sys::DWORD code);
    // Called once, before the object is destroyed.
    virtual sys::DWORD close() = 0;
};

// Where a FILE_BEGIN / FILE_CURRENT / FILE_END move lands; a position before
// the start is ERROR_NEGATIVE_SEEK and leaves the position unchanged.
sys::DWORD resolveSeek(std::int64_t distance, sys::DWORD method, std::uint64_t current, std::uint64_t end,
                       std::uint64_t& result);

// Takes a non-blocking flock for a share mode: none shared means exclusive.
// Returns NO_ERROR or ERROR_SHARING_VIOLATION.
sys::DWORD lockForShareMode(int fd, sys::DWORD shareMode);

}  // namespace posix
