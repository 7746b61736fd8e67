// The kernel services the shell needs, with the meaning, arguments and
// constants of their Win32 counterparts. The logic calls only this interface;
// the Windows build passes each call through to kernel32, the Linux build
// gives the same semantics on POSIX, and the tests use an in-memory fake.
#pragma once

#include <cstdint>

namespace sys {

using Handle = std::intptr_t;
constexpr Handle INVALID_HANDLE_VALUE = -1;

using DWORD = std::uint32_t;
using LONG = std::int32_t;
using BOOL = bool;

constexpr DWORD GENERIC_READ = 0x80000000u;
constexpr DWORD GENERIC_WRITE = 0x40000000u;
constexpr DWORD FILE_SHARE_READ = 0x1;
constexpr DWORD FILE_SHARE_WRITE = 0x2;
constexpr DWORD CREATE_NEW = 1;
constexpr DWORD CREATE_ALWAYS = 2;
constexpr DWORD OPEN_EXISTING = 3;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;
constexpr DWORD FILE_FLAG_WRITE_THROUGH = 0x80000000u;
constexpr DWORD FILE_BEGIN = 0;
constexpr DWORD INVALID_SET_FILE_POINTER = 0xFFFFFFFFu;
constexpr DWORD INVALID_FILE_SIZE = 0xFFFFFFFFu;

constexpr DWORD NO_ERROR = 0;
constexpr DWORD ERROR_FILE_NOT_FOUND = 2;
constexpr DWORD ERROR_PATH_NOT_FOUND = 3;
constexpr DWORD ERROR_ACCESS_DENIED = 5;
constexpr DWORD ERROR_INVALID_HANDLE = 6;
constexpr DWORD ERROR_NOT_ENOUGH_MEMORY = 8;
constexpr DWORD ERROR_WRITE_PROTECT = 19;
constexpr DWORD ERROR_NOT_READY = 21;
constexpr DWORD ERROR_CRC = 23;
constexpr DWORD ERROR_SECTOR_NOT_FOUND = 27;
constexpr DWORD ERROR_WRITE_FAULT = 29;
constexpr DWORD ERROR_READ_FAULT = 30;
constexpr DWORD ERROR_SHARING_VIOLATION = 32;
constexpr DWORD ERROR_LOCK_VIOLATION = 33;
constexpr DWORD ERROR_HANDLE_EOF = 38;
constexpr DWORD ERROR_NOT_SUPPORTED = 50;
constexpr DWORD ERROR_FILE_EXISTS = 80;
constexpr DWORD ERROR_INVALID_PARAMETER = 87;
constexpr DWORD ERROR_DISK_FULL = 112;
constexpr DWORD ERROR_INVALID_NAME = 123;
constexpr DWORD ERROR_ALREADY_EXISTS = 183;
constexpr DWORD ERROR_FILE_CORRUPT = 1392;

constexpr DWORD VWIN32_DIOC_DOS_IOCTL = 1;
constexpr DWORD VWIN32_DIOC_DOS_INT26 = 3;
constexpr DWORD FSCTL_LOCK_VOLUME = 0x00090018;
constexpr DWORD FSCTL_DISMOUNT_VOLUME = 0x00090020;
constexpr DWORD IOCTL_DISK_GET_DRIVE_GEOMETRY = 0x00070000;

// Same layout as DISK_GEOMETRY: 24 bytes.
struct DiskGeometry {
    std::int64_t Cylinders;
    DWORD MediaType;
    DWORD TracksPerCylinder;
    DWORD SectorsPerTrack;
    DWORD BytesPerSector;
};
static_assert(sizeof(DiskGeometry) == 24);

constexpr DWORD VER_PLATFORM_WIN32s = 0;
constexpr DWORD VER_PLATFORM_WIN32_WINDOWS = 1;
constexpr DWORD VER_PLATFORM_WIN32_NT = 2;

// Same layout as OSVERSIONINFOA: 148 bytes.
struct OsVersionInfo {
    DWORD dwOSVersionInfoSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformId;
    char szCSDVersion[128];
};
static_assert(sizeof(OsVersionInfo) == 148);

// Same fields, order and pointer sizes as STARTUPINFOA: 68 bytes in a 32-bit
// build, 104 in a 64-bit one, so `sizeof` is the size the platform expects.
struct StartupInfo {
    DWORD cb;
    char* lpReserved;
    char* lpDesktop;
    char* lpTitle;
    DWORD dwX;
    DWORD dwY;
    DWORD dwXSize;
    DWORD dwYSize;
    DWORD dwXCountChars;
    DWORD dwYCountChars;
    DWORD dwFillAttribute;
    DWORD dwFlags;
    std::uint16_t wShowWindow;
    std::uint16_t cbReserved2;
    std::uint8_t* lpReserved2;
    Handle hStdInput;
    Handle hStdOutput;
    Handle hStdError;
};
static_assert(sizeof(void*) != 4 || sizeof(StartupInfo) == 68);

struct ProcessInformation {
    Handle hProcess;
    Handle hThread;
    DWORD dwProcessId;
    DWORD dwThreadId;
};

class Kernel {
public:
    virtual ~Kernel() = default;

    // No security attributes and no template file are ever passed.
    virtual Handle CreateFileA(const char* name, DWORD access, DWORD shareMode, DWORD disposition,
                               DWORD flagsAndAttributes) = 0;
    // Distance is the low 32 bits only (no high part), as the shell uses it.
    virtual DWORD SetFilePointer(Handle h, LONG distance, DWORD moveMethod) = 0;
    virtual BOOL ReadFile(Handle h, void* buffer, DWORD bytesToRead, DWORD* bytesRead) = 0;
    virtual BOOL WriteFile(Handle h, const void* buffer, DWORD bytesToWrite, DWORD* bytesWritten) = 0;
    virtual BOOL CloseHandle(Handle h) = 0;
    virtual DWORD GetFileSize(Handle h, DWORD* sizeHigh) = 0;
    // Never replaces an existing target.
    virtual BOOL MoveFileA(const char* from, const char* to) = 0;
    virtual BOOL DeleteFileA(const char* name) = 0;
    virtual DWORD GetLastError() = 0;
    virtual BOOL DeviceIoControl(Handle h, DWORD code, void* in, DWORD inSize, void* out, DWORD outSize,
                                 DWORD* bytesReturned) = 0;
    // No security attributes; no environment block and no current directory
    // (both inherited).
    virtual BOOL CreateProcessA(const char* application, char* commandLine, BOOL inheritHandles,
                                DWORD creationFlags, const StartupInfo& startup,
                                ProcessInformation* info) = 0;
    virtual BOOL GetVersionExA(OsVersionInfo* info) = 0;
};

}  // namespace sys
