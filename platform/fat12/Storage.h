// Where a FAT12 volume's bytes live: a diskette image, a block device, or,
// under test and fuzzing, a buffer in memory. The volume code sees nothing
// else, so it runs the same on all three.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

namespace fat12 {

class Storage {
public:
    virtual ~Storage() = default;
    virtual std::uint64_t size() const = 0;
    // False for a write-protected target; the volume then refuses to create.
    virtual bool writable() const = 0;
    // Both transfer all `length` bytes or report failure.
    virtual bool read(std::uint64_t offset, void* data, std::size_t length) = 0;
    virtual bool write(std::uint64_t offset, const void* data, std::size_t length) = 0;
};

// A volume held in memory; it never grows, like a diskette.
class MemoryStorage final : public Storage {
public:
    explicit MemoryStorage(std::vector<std::uint8_t> bytes, bool writable = true)
        : bytes_(std::move(bytes)), writable_(writable) {}

    std::uint64_t size() const override { return bytes_.size(); }
    bool writable() const override { return writable_; }

    bool read(std::uint64_t offset, void* data, std::size_t length) override {
        if (!fits(offset, length)) return false;
        if (length != 0) std::memcpy(data, bytes_.data() + offset, length);
        return true;
    }

    bool write(std::uint64_t offset, const void* data, std::size_t length) override {
        if (!writable_ || !fits(offset, length)) return false;
        if (length != 0) std::memcpy(bytes_.data() + offset, data, length);
        return true;
    }

    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

private:
    bool fits(std::uint64_t offset, std::size_t length) const {
        return offset <= bytes_.size() && length <= bytes_.size() - offset;
    }

    std::vector<std::uint8_t> bytes_;
    bool writable_;
};

}  // namespace fat12
