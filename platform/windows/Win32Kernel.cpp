#include "platform/windows/Win32Kernel.h"

#include <cstddef>
#include <cstring>

#include "platform/windows/WinApi.h"

namespace win32 {

namespace {

HANDLE native(sys::Handle h) { return reinterpret_cast<HANDLE>(h); }
sys::Handle portable(HANDLE h) { return reinterpret_cast<sys::Handle>(h); }

// The facade's records mirror the Win32 ones field for field.
static_assert(sizeof(sys::StartupInfo) == sizeof(STARTUPINFOA));
static_assert(offsetof(sys::StartupInfo, dwFlags) == offsetof(STARTUPINFOA, dwFlags));
static_assert(offsetof(sys::StartupInfo, lpReserved2) == offsetof(STARTUPINFOA, lpReserved2));
static_assert(offsetof(sys::StartupInfo, hStdError) == offsetof(STARTUPINFOA, hStdError));
static_assert(sizeof(sys::OsVersionInfo) == sizeof(OSVERSIONINFOA));
static_assert(offsetof(sys::OsVersionInfo, dwPlatformId) == offsetof(OSVERSIONINFOA, dwPlatformId));
static_assert(sizeof(sys::DWORD) == sizeof(DWORD));

STARTUPINFOA toNative(const sys::StartupInfo& s) {
    STARTUPINFOA n{};
    n.cb = s.cb;
    n.lpReserved = s.lpReserved;
    n.lpDesktop = s.lpDesktop;
    n.lpTitle = s.lpTitle;
    n.dwX = s.dwX;
    n.dwY = s.dwY;
    n.dwXSize = s.dwXSize;
    n.dwYSize = s.dwYSize;
    n.dwXCountChars = s.dwXCountChars;
    n.dwYCountChars = s.dwYCountChars;
    n.dwFillAttribute = s.dwFillAttribute;
    n.dwFlags = s.dwFlags;
    n.wShowWindow = s.wShowWindow;
    n.cbReserved2 = s.cbReserved2;
    n.lpReserved2 = s.lpReserved2;
    n.hStdInput = native(s.hStdInput);
    n.hStdOutput = native(s.hStdOutput);
    n.hStdError = native(s.hStdError);
    return n;
}

}  // namespace

sys::Handle Win32Kernel::CreateFileA(const char* name, sys::DWORD access, sys::DWORD shareMode,
                                     sys::DWORD disposition, sys::DWORD flagsAndAttributes) {
    return portable(::CreateFileA(name, access, shareMode, nullptr, disposition, flagsAndAttributes, nullptr));
}

sys::DWORD Win32Kernel::SetFilePointer(sys::Handle h, sys::LONG distance, sys::DWORD moveMethod) {
    return ::SetFilePointer(native(h), distance, nullptr, moveMethod);
}

sys::BOOL Win32Kernel::ReadFile(sys::Handle h, void* buffer, sys::DWORD bytesToRead, sys::DWORD* bytesRead) {
    DWORD done = 0;
    const BOOL ok = ::ReadFile(native(h), buffer, bytesToRead, &done, nullptr);
    if (bytesRead) *bytesRead = done;
    return ok != FALSE;
}

sys::BOOL Win32Kernel::WriteFile(sys::Handle h, const void* buffer, sys::DWORD bytesToWrite,
                                 sys::DWORD* bytesWritten) {
    DWORD done = 0;
    const BOOL ok = ::WriteFile(native(h), buffer, bytesToWrite, &done, nullptr);
    if (bytesWritten) *bytesWritten = done;
    return ok != FALSE;
}

sys::BOOL Win32Kernel::CloseHandle(sys::Handle h) { return ::CloseHandle(native(h)) != FALSE; }

sys::DWORD Win32Kernel::GetFileSize(sys::Handle h, sys::DWORD* sizeHigh) {
    DWORD high = 0;
    const DWORD low = ::GetFileSize(native(h), sizeHigh ? &high : nullptr);
    if (sizeHigh) *sizeHigh = high;
    return low;
}

sys::BOOL Win32Kernel::MoveFileA(const char* from, const char* to) { return ::MoveFileA(from, to) != FALSE; }

sys::BOOL Win32Kernel::DeleteFileA(const char* name) { return ::DeleteFileA(name) != FALSE; }

sys::DWORD Win32Kernel::GetLastError() { return ::GetLastError(); }

sys::BOOL Win32Kernel::DeviceIoControl(sys::Handle h, sys::DWORD code, void* in, sys::DWORD inSize, void* out,
                                       sys::DWORD outSize, sys::DWORD* bytesReturned) {
    DWORD returned = 0;
    const BOOL ok = ::DeviceIoControl(native(h), code, in, inSize, out, outSize, &returned, nullptr);
    if (bytesReturned) *bytesReturned = returned;
    return ok != FALSE;
}

sys::BOOL Win32Kernel::CreateProcessA(const char* application, char* commandLine, sys::BOOL inheritHandles,
                                      sys::DWORD creationFlags, const sys::StartupInfo& startup,
                                      sys::ProcessInformation* info) {
    STARTUPINFOA start = toNative(startup);
    PROCESS_INFORMATION created{};
    const BOOL ok = ::CreateProcessA(application, commandLine, nullptr, nullptr, inheritHandles ? TRUE : FALSE,
                                     creationFlags, nullptr, nullptr, &start, &created);
    if (info) {
        info->hProcess = portable(created.hProcess);
        info->hThread = portable(created.hThread);
        info->dwProcessId = created.dwProcessId;
        info->dwThreadId = created.dwThreadId;
    }
    return ok != FALSE;
}

sys::BOOL Win32Kernel::GetVersionExA(sys::OsVersionInfo* info) {
    // The caller's size field decides what the system fills in; the room is
    // that of the larger record, so no size the system accepts overruns it.
    OSVERSIONINFOEXA record{};
    record.dwOSVersionInfoSize = info->dwOSVersionInfoSize;
    const BOOL ok = ::GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&record));
    std::memcpy(info, &record, sizeof *info);
    return ok != FALSE;
}

}  // namespace win32
