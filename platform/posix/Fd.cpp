#include "platform/posix/Fd.h"

#include <cerrno>

namespace posix {

namespace {

template <class Buffer, class Call>
int transferAll(Buffer data, std::size_t length, std::size_t& done, off_t offset, bool isWrite, Call call) {
    done = 0;
    while (done < length) {
        const ssize_t n = call(data + done, length - done, offset < 0 ? -1 : offset + static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno;
        if (n == 0) return isWrite ? ENOSPC : 0;
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

}  // namespace

int readAll(int fd, void* data, std::size_t length, std::size_t& done, off_t offset) {
    return transferAll(static_cast<char*>(data), length, done, offset, false, [fd](char* at, std::size_t n, off_t o) {
        return o < 0 ? ::read(fd, at, n) : ::pread(fd, at, n, o);
    });
}

int writeAll(int fd, const void* data, std::size_t length, std::size_t& done, off_t offset) {
    return transferAll(static_cast<const char*>(data), length, done, offset, true,
                       [fd](const char* at, std::size_t n, off_t o) {
                           return o < 0 ? ::write(fd, at, n) : ::pwrite(fd, at, n, o);
                       });
}

}  // namespace posix
