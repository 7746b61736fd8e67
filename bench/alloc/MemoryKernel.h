// A kernel for the diskette run that keeps everything in fixed arrays and
// never allocates: the image "Dsck.tr", drive A:'s raw sectors and the two
// diskette files. With it, an allocation counted during a run can only be
// the shell's own. It serves exactly the calls a Create Diskette run makes;
// anything else fails with ERROR_NOT_SUPPORTED.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "platform/kernel.h"

namespace alloc {

class MemoryKernel final : public sys::Kernel {
public:
    static constexpr std::size_t ImageCapacity = 1408 * 512;
    static constexpr std::size_t DisketteBytes = 1'474'560;
    static constexpr std::size_t FileCapacity = 1 << 20;

    // Takes a copy of up to ImageCapacity bytes of `image`.
    explicit MemoryKernel(std::span<const std::uint8_t> image);

    std::span<const std::uint8_t> diskette() const { return diskette_; }
    // The bytes of "a:/Dsck.tr" or "a:zelkor.exe" (empty until created).
    std::span<const std::uint8_t> file(const char* name) const;
    int openHandles() const;

    sys::Handle CreateFileA(const char* name, sys::DWORD access, sys::DWORD shareMode, sys::DWORD disposition,
                            sys::DWORD flagsAndAttributes) override;
    sys::DWORD SetFilePointer(sys::Handle h, sys::LONG distance, sys::DWORD moveMethod) override;
    sys::BOOL ReadFile(sys::Handle h, void* buffer, sys::DWORD bytesToRead, sys::DWORD* bytesRead) override;
    sys::BOOL WriteFile(sys::Handle h, const void* buffer, sys::DWORD bytesToWrite,
                        sys::DWORD* bytesWritten) override;
    sys::BOOL CloseHandle(sys::Handle h) override;
    sys::DWORD GetFileSize(sys::Handle h, sys::DWORD* sizeHigh) override;
    sys::BOOL MoveFileA(const char* from, const char* to) override;
    sys::BOOL DeleteFileA(const char* name) override;
    sys::DWORD GetLastError() override { return lastError_; }
    sys::BOOL DeviceIoControl(sys::Handle h, sys::DWORD code, void* in, sys::DWORD inSize, void* out,
                              sys::DWORD outSize, sys::DWORD* bytesReturned) override;
    sys::BOOL CreateProcessA(const char* application, char* commandLine, sys::BOOL inheritHandles,
                             sys::DWORD creationFlags, const sys::StartupInfo& startup,
                             sys::ProcessInformation* info) override;
    sys::BOOL GetVersionExA(sys::OsVersionInfo* info) override;

private:
    enum class Kind { Closed, Image, Raw, DriveFile };
    struct OpenObject {
        Kind kind = Kind::Closed;
        std::size_t file = 0;
        std::uint64_t position = 0;
    };
    struct DriveFile {
        const char* name;
        bool exists = false;
        std::size_t size = 0;
        std::array<std::uint8_t, FileCapacity> bytes{};
    };

    OpenObject* find(sys::Handle h);
    std::uint64_t sizeOf(const OpenObject& object) const;
    sys::BOOL fail(sys::DWORD error);

    std::array<std::uint8_t, ImageCapacity> image_{};
    std::size_t imageSize_ = 0;
    std::array<std::uint8_t, DisketteBytes> diskette_{};
    std::array<DriveFile, 2> files_{DriveFile{"a:/Dsck.tr"}, DriveFile{"a:zelkor.exe"}};
    std::array<OpenObject, 8> handles_{};
    sys::DWORD lastError_ = sys::NO_ERROR;
};

}  // namespace alloc
