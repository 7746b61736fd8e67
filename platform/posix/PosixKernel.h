// The kernel services on Linux, with the meaning of their Win32 namesakes.
// Plain names are files relative to the working directory; "\\.\a:" and
// "a:NAME" reach drive A:, which is the image or device that DORVANE_DRIVE_A
// names (A.img in the working directory by default).
//
// One object serves one thread, as the shell's single user-interface thread
// uses it; the last error belongs to the object. The cause of each failure
// (what was reached, where, and the system's reason) goes to `diagnostics`.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "platform/diagnostics.h"
#include "platform/kernel.h"
#include "platform/posix/DriveNames.h"
#include "platform/posix/OpenObject.h"

namespace posix {

class PosixKernel final : public sys::Kernel {
public:
    // `driveA`, when not empty, names drive A:'s target in place of
    // DORVANE_DRIVE_A and A.img.
    explicit PosixKernel(sys::Diagnostics& diagnostics = sys::silentDiagnostics(), std::string driveA = {});
    ~PosixKernel() override;

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
    sys::DWORD GetLastError() override;
    sys::BOOL DeviceIoControl(sys::Handle h, sys::DWORD code, void* in, sys::DWORD inSize, void* out,
                              sys::DWORD outSize, sys::DWORD* bytesReturned) override;
    sys::BOOL CreateProcessA(const char* application, char* commandLine, sys::BOOL inheritHandles,
                             sys::DWORD creationFlags, const sys::StartupInfo& startup,
                             sys::ProcessInformation* info) override;
    sys::BOOL GetVersionExA(sys::OsVersionInfo* info) override;

    // Handles currently open; tests use it to find leaks.
    std::size_t openHandleCount() const { return handles_.size(); }

private:
    // What a handle stands for, and the name it was opened by as it was read
    // then, for the words of a failure's cause.
    struct OpenHandle {
        std::unique_ptr<OpenObject> object;
        ParsedName name;
    };

    OpenHandle* find(sys::Handle h);
    sys::BOOL fail(sys::DWORD error);
    sys::DWORD open(const ParsedName& name, sys::DWORD access, sys::DWORD shareMode, sys::DWORD disposition,
                    sys::DWORD flags, std::unique_ptr<OpenObject>& out, bool& existed);

    std::string driveA() const;

    std::map<sys::Handle, OpenHandle> handles_;
    sys::Diagnostics& diagnostics_;
    std::string driveA_;
    sys::Handle nextHandle_ = 4;
    sys::DWORD lastError_ = sys::NO_ERROR;
};

}  // namespace posix
