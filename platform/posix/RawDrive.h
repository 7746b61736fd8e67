// Drive A:'s sectors, as Windows gives them through "\\.\a:": transfers of
// whole sectors at sector boundaries, never past the end of the diskette.
#pragma once

#include <memory>
#include <string>

#include "platform/posix/DriveTarget.h"
#include "platform/posix/OpenObject.h"

namespace posix {

constexpr sys::DWORD FSCTL_UNLOCK_VOLUME = 0x0009001C;

class RawDrive final : public OpenObject {
public:
    static sys::DWORD open(const std::string& target, sys::DWORD access, sys::DWORD shareMode,
                           sys::DWORD disposition, sys::DWORD flags, std::unique_ptr<OpenObject>& out);

    sys::DWORD read(void* buffer, sys::DWORD length, sys::DWORD& done) override;
    sys::DWORD write(const void* buffer, sys::DWORD length, sys::DWORD& done) override;
    sys::DWORD seek(std::int64_t distance, sys::DWORD method, std::uint64_t& position) override;
    sys::DWORD size(std::uint64_t& bytes) override;
    sys::DWORD control(sys::DWORD code) override;
    sys::DWORD close() override;

private:
    RawDrive(DriveTarget target, std::string path, sys::DWORD shareMode, bool canRead, bool canWrite)
        : target_(std::move(target)), path_(std::move(path)), shareMode_(shareMode), canRead_(canRead),
          canWrite_(canWrite) {}

    sys::DWORD lock();
    sys::DWORD unlock();
    sys::DWORD dismount();
    bool aligned(sys::DWORD length) const;

    DriveTarget target_;
    std::string path_;
    sys::DWORD shareMode_;
    bool canRead_;
    bool canWrite_;
    std::uint64_t position_ = 0;
    bool locked_ = false;
    // Held while a block device is locked: an O_EXCL open keeps it from being
    // mounted meanwhile.
    UniqueFd exclusive_;
};

}  // namespace posix
