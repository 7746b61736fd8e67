// A FAT12 volume's storage on an open file descriptor: a diskette image or a
// block device. It keeps the errno of its last failure so the caller can say
// why a transfer failed (write-protected, device gone, host disk full).
#pragma once

#include <cstdint>

#include "platform/fat12/Storage.h"

namespace posix {

class FdStorage final : public fat12::Storage {
public:
    // `fd` stays owned by the caller.
    FdStorage(int fd, std::uint64_t size, bool writable) : fd_(fd), size_(size), writable_(writable) {}

    std::uint64_t size() const override { return size_; }
    bool writable() const override { return writable_; }
    bool read(std::uint64_t offset, void* data, std::size_t length) override;
    bool write(std::uint64_t offset, const void* data, std::size_t length) override;

    int lastErrno() const { return lastErrno_; }

private:
    int fd_;
    std::uint64_t size_;
    bool writable_;
    int lastErrno_ = 0;
};

}  // namespace posix
