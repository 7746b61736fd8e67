#include "platform/posix/PosixKernel.h"

#include <cstring>

#include "platform/posix/DriveFile.h"
#include "platform/posix/DriveNames.h"
#include "platform/posix/DriveTarget.h"
#include "platform/posix/ErrnoToWin32Error.h"
#include "platform/posix/FailureCause.h"
#include "platform/posix/FileOperations.h"
#include "platform/posix/PlainFile.h"
#include "platform/posix/RawDrive.h"

namespace posix {

PosixKernel::PosixKernel(sys::Diagnostics& diagnostics, std::string driveA)
    : diagnostics_(diagnostics), driveA_(std::move(driveA)) {}

std::string PosixKernel::driveA() const { return driveA_.empty() ? driveATargetPath() : driveA_; }

// Handles left open are closed with their objects; their errors have nobody
// left to hear them.
PosixKernel::~PosixKernel() {
    for (auto& [handle, open] : handles_) open.object->close();
}

sys::BOOL PosixKernel::fail(sys::DWORD error) {
    lastError_ = error;
    return false;
}

PosixKernel::OpenHandle* PosixKernel::find(sys::Handle h) {
    const auto it = handles_.find(h);
    return it == handles_.end() ? nullptr : &it->second;
}

sys::DWORD PosixKernel::open(const ParsedName& parsed, sys::DWORD access, sys::DWORD shareMode, sys::DWORD disposition,
                             sys::DWORD flags, std::unique_ptr<OpenObject>& out, bool& existed) {
    existed = false;
    switch (parsed.kind) {
    case NameKind::Plain:
        if (parsed.path.empty()) return sys::ERROR_PATH_NOT_FOUND;
        return PlainFile::open(parsed.path, access, shareMode, disposition, flags, out, existed);
    case NameKind::RawDriveA: return RawDrive::open(driveA(), access, shareMode, disposition, flags, out);
    case NameKind::DriveAFile:
        if (parsed.path.empty()) return sys::ERROR_ACCESS_DENIED;  // the root folder itself
        if (parsed.path.find('/') != std::string::npos)
            return sys::ERROR_PATH_NOT_FOUND;  // drive A: is written in its root only
        return DriveFile::create(driveA(), parsed.path, access, disposition, out);
    case NameKind::NoSuchDevice:
        // Windows NT has no "\\.\vwin32"; neither has Linux.
        return sys::ERROR_FILE_NOT_FOUND;
    case NameKind::NoSuchDrive: return sys::ERROR_PATH_NOT_FOUND;
    }
    return sys::ERROR_INVALID_PARAMETER;
}

sys::Handle PosixKernel::CreateFileA(const char* name, sys::DWORD access, sys::DWORD shareMode, sys::DWORD disposition,
                                     sys::DWORD flagsAndAttributes) {
    if (name == nullptr) {
        fail(sys::ERROR_PATH_NOT_FOUND);
        return sys::INVALID_HANDLE_VALUE;
    }
    ParsedName parsed = parseName(name);
    std::unique_ptr<OpenObject> object;
    bool existed = false;
    const sys::DWORD error = open(parsed, access, shareMode, disposition, flagsAndAttributes, object, existed);
    if (error != sys::NO_ERROR) {
        diagnostics_.Cause(openCause(parsed, driveA(), error, (access & sys::GENERIC_WRITE) != 0));
        fail(error);
        return sys::INVALID_HANDLE_VALUE;
    }
    const sys::Handle handle = nextHandle_;
    nextHandle_ += 4;
    handles_.emplace(handle, OpenHandle{std::move(object), std::move(parsed)});
    // Windows reports on success whether CREATE_ALWAYS / OPEN_ALWAYS met an
    // existing file.
    constexpr sys::DWORD OPEN_ALWAYS = 4;
    const bool reportsExisting = disposition == sys::CREATE_ALWAYS || disposition == OPEN_ALWAYS;
    lastError_ = reportsExisting && existed ? sys::ERROR_ALREADY_EXISTS : sys::NO_ERROR;
    return handle;
}

sys::DWORD PosixKernel::SetFilePointer(sys::Handle h, sys::LONG distance, sys::DWORD moveMethod) {
    OpenHandle* open = find(h);
    if (open == nullptr) {
        fail(sys::ERROR_INVALID_HANDLE);
        return sys::INVALID_SET_FILE_POINTER;
    }
    std::uint64_t position = 0;
    if (const sys::DWORD e = open->object->seek(distance, moveMethod, position); e != sys::NO_ERROR) {
        fail(e);
        return sys::INVALID_SET_FILE_POINTER;
    }
    // With no high part the position must fit 32 bits.
    if (position > 0xFFFFFFFFu) {
        fail(sys::ERROR_INVALID_PARAMETER);
        return sys::INVALID_SET_FILE_POINTER;
    }
    lastError_ = sys::NO_ERROR;
    return static_cast<sys::DWORD>(position);
}

sys::BOOL PosixKernel::ReadFile(sys::Handle h, void* buffer, sys::DWORD bytesToRead, sys::DWORD* bytesRead) {
    if (bytesRead != nullptr) *bytesRead = 0;
    OpenHandle* open = find(h);
    if (open == nullptr) return fail(sys::ERROR_INVALID_HANDLE);
    if (buffer == nullptr && bytesToRead != 0) return fail(sys::ERROR_INVALID_PARAMETER);
    sys::DWORD done = 0;
    const sys::DWORD error = open->object->read(buffer, bytesToRead, done);
    if (bytesRead != nullptr) *bytesRead = done;
    if (error != sys::NO_ERROR) {
        diagnostics_.Cause("cannot read " + describeName(open->name, driveA()) + ": " + reasonOf(error));
        return fail(error);
    }
    return true;
}

sys::BOOL PosixKernel::WriteFile(sys::Handle h, const void* buffer, sys::DWORD bytesToWrite, sys::DWORD* bytesWritten) {
    if (bytesWritten != nullptr) *bytesWritten = 0;
    OpenHandle* open = find(h);
    if (open == nullptr) return fail(sys::ERROR_INVALID_HANDLE);
    if (buffer == nullptr && bytesToWrite != 0) return fail(sys::ERROR_INVALID_PARAMETER);
    sys::DWORD done = 0;
    const sys::DWORD error = open->object->write(buffer, bytesToWrite, done);
    if (bytesWritten != nullptr) *bytesWritten = done;
    if (error != sys::NO_ERROR) {
        diagnostics_.Cause(writeCause(describeName(open->name, driveA()), driveA(), error));
        return fail(error);
    }
    return true;
}

sys::BOOL PosixKernel::CloseHandle(sys::Handle h) {
    const auto it = handles_.find(h);
    if (it == handles_.end()) return fail(sys::ERROR_INVALID_HANDLE);
    const sys::DWORD error = it->second.object->close();
    if (error != sys::NO_ERROR) {
        // A file on drive A: is finished (its table and entry written) on close.
        diagnostics_.Cause(writeCause(describeName(it->second.name, driveA()), driveA(), error));
    }
    handles_.erase(it);
    return error == sys::NO_ERROR ? true : fail(error);
}

sys::DWORD PosixKernel::GetFileSize(sys::Handle h, sys::DWORD* sizeHigh) {
    const OpenHandle* open = find(h);
    std::uint64_t bytes = 0;
    const sys::DWORD error = open == nullptr ? sys::ERROR_INVALID_HANDLE : open->object->size(bytes);
    if (error != sys::NO_ERROR) {
        fail(error);
        return sys::INVALID_FILE_SIZE;
    }
    if (sizeHigh != nullptr) *sizeHigh = static_cast<sys::DWORD>(bytes >> 32);
    // The writer refuses a medium that is not a 1.44 MB diskette before
    // writing; should it, this is why.
    if (open->name.kind == NameKind::RawDriveA && bytes != DriveATargetBytes)
        diagnostics_.Cause(driveSizeCause(driveA(), bytes));
    // A low part that looks like the failure value is told apart by NO_ERROR.
    lastError_ = sys::NO_ERROR;
    return static_cast<sys::DWORD>(bytes & 0xFFFFFFFFu);
}

sys::BOOL PosixKernel::MoveFileA(const char* from, const char* to) {
    const sys::DWORD error = moveFile(from, to);
    return error == sys::NO_ERROR ? true : fail(error);
}

sys::BOOL PosixKernel::DeleteFileA(const char* name) {
    const sys::DWORD error = deleteFile(name);
    return error == sys::NO_ERROR ? true : fail(error);
}

sys::DWORD PosixKernel::GetLastError() { return lastError_; }

sys::BOOL PosixKernel::DeviceIoControl(sys::Handle h, sys::DWORD code, void*, sys::DWORD, void*, sys::DWORD,
                                       sys::DWORD* bytesReturned) {
    if (bytesReturned != nullptr) *bytesReturned = 0;
    OpenHandle* open = find(h);
    if (open == nullptr) return fail(sys::ERROR_INVALID_HANDLE);
    const sys::DWORD error = open->object->control(code);
    if (error != sys::NO_ERROR && code == sys::FSCTL_LOCK_VOLUME) diagnostics_.Cause(lockCause(driveA()));
    return error == sys::NO_ERROR ? true : fail(error);
}

// There is no loader for program information files on Linux; the shell
// hides Start Regeneration there, and a call that gets here anyway fails.
sys::BOOL PosixKernel::CreateProcessA(const char*, char*, sys::BOOL, sys::DWORD, const sys::StartupInfo&,
                                      sys::ProcessInformation* info) {
    if (info != nullptr) *info = sys::ProcessInformation{};
    return fail(sys::ERROR_NOT_SUPPORTED);
}

// Linux is reported as the NT family, which is what decides the shell's
// behaviour: raw access through "\\.\a:", no direct launch.
sys::BOOL PosixKernel::GetVersionExA(sys::OsVersionInfo* info) {
    if (info == nullptr || info->dwOSVersionInfoSize != sizeof(sys::OsVersionInfo))
        return fail(sys::ERROR_INVALID_PARAMETER);
    info->dwMajorVersion = 5;
    info->dwMinorVersion = 1;
    info->dwBuildNumber = 2600;
    info->dwPlatformId = sys::VER_PLATFORM_WIN32_NT;
    std::memset(info->szCSDVersion, 0, sizeof info->szCSDVersion);
    return true;
}

}  // namespace posix
