// A new file on drive A:'s FAT12 file system ("a:/NAME" or "a:NAME"),
// written sequentially from its creation to its close.
#pragma once

#include <memory>
#include <string>

#include "platform/fat12/Volume.h"
#include "platform/posix/DriveTarget.h"
#include "platform/posix/FdStorage.h"
#include "platform/posix/OpenObject.h"

namespace posix {

class DriveFile final : public OpenObject {
public:
    // `name` is the part after the drive. Only GENERIC_WRITE with CREATE_NEW
    // is supported, which is all the diskette writer asks for.
    static sys::DWORD create(const std::string& target, const std::string& name, sys::DWORD access,
                             sys::DWORD disposition, std::unique_ptr<OpenObject>& out);

    sys::DWORD read(void* buffer, sys::DWORD length, sys::DWORD& done) override;
    sys::DWORD write(const void* buffer, sys::DWORD length, sys::DWORD& done) override;
    sys::DWORD seek(std::int64_t distance, sys::DWORD method, std::uint64_t& position) override;
    sys::DWORD size(std::uint64_t& bytes) override;
    sys::DWORD close() override;

private:
    explicit DriveFile(DriveTarget target)
        : target_(std::move(target)), storage_(target_.fd.get(), target_.size, true), volume_(storage_) {}

    sys::DWORD errorOf(fat12::Status status) const;

    // Declared in the order they depend on each other.
    DriveTarget target_;
    FdStorage storage_;
    fat12::Volume volume_;
};

}  // namespace posix
