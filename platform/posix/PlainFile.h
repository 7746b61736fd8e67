// An ordinary file named relative to the current working directory.
#pragma once

#include <memory>
#include <string>

#include "platform/posix/Fd.h"
#include "platform/posix/OpenObject.h"

namespace posix {

class PlainFile final : public OpenObject {
public:
    // Opens or creates `path` with Win32 access, share mode and disposition.
    // `existed` tells CREATE_ALWAYS / OPEN_ALWAYS callers that the name was
    // already there (Windows then sets ERROR_ALREADY_EXISTS on success).
    static sys::DWORD open(const std::string& path, sys::DWORD access, sys::DWORD shareMode,
                           sys::DWORD disposition, sys::DWORD flags, std::unique_ptr<OpenObject>& out,
                           bool& existed);

    sys::DWORD read(void* buffer, sys::DWORD length, sys::DWORD& done) override;
    sys::DWORD write(const void* buffer, sys::DWORD length, sys::DWORD& done) override;
    sys::DWORD seek(std::int64_t distance, sys::DWORD method, std::uint64_t& position) override;
    sys::DWORD size(std::uint64_t& bytes) override;
    sys::DWORD close() override;

private:
    PlainFile(UniqueFd fd, bool canRead, bool canWrite)
        : fd_(std::move(fd)), canRead_(canRead), canWrite_(canWrite) {}

    UniqueFd fd_;
    bool canRead_;
    bool canWrite_;
};

}  // namespace posix
