// The kernel services on Windows: every operation is the kernel32 call of the
// same name, its arguments passed through unchanged. A sys::Handle is the
// HANDLE itself.
#pragma once

#include "platform/kernel.h"

namespace win32 {

class Win32Kernel final : public sys::Kernel {
public:
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
};

}  // namespace win32
