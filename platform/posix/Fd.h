// An owned file descriptor, closed when it goes out of scope.
#pragma once

#include <sys/types.h>
#include <unistd.h>

#include <cstddef>
#include <utility>

namespace posix {

class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : fd_(fd) {}
    UniqueFd(UniqueFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept {
        if (this != &other) reset(std::exchange(other.fd_, -1));
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd() { reset(); }

    int get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }

    // Closes now and reports close's own result (0 or -1 with errno).
    int close() {
        const int result = fd_ >= 0 ? ::close(fd_) : 0;
        fd_ = -1;
        return result;
    }

    void reset(int fd = -1) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = fd;
    }

private:
    int fd_ = -1;
};

// Move `length` bytes, going on after partial transfers and interrupted
// calls; `done` counts what moved. At `offset`, or at the file position when
// it is negative. The result is 0 or the errno of the call that failed; a read
// that meets the end of the file stops there with 0 and done < length, and a
// write that moves nothing reports ENOSPC.
int readAll(int fd, void* data, std::size_t length, std::size_t& done, off_t offset = -1);
int writeAll(int fd, const void* data, std::size_t length, std::size_t& done, off_t offset = -1);

}  // namespace posix
