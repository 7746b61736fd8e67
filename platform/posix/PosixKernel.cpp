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
    for (auto& [handle, object] : objects_) {
        object->close();
    }
}

sys::BOOL PosixKernel::fail(sys::DWORD error) {
    lastError_ = error;
    return false;
}

OpenObject* PosixKernel::find(sys::Handle h) {
    const auto it = objects_.find(h);
    return it == objects_.end() ? nullptr : it->second.get();
}

sys::DWORD PosixKernel::open(const char* name, sys::DWORD access, sys::DWORD shareMode, sys::DWORD disposition,
                             sys::DWORD flags, std::unique_ptr<OpenObject>& out, bool& existed) {
    existed = false;
    if (name == nullptr || *name == '\0') {
        return sys::ERROR_PATH_NOT_FOUND;
    }
    const ParsedName parsed = parseName(name);
    switch (parsed.kind) {
    case NameKind::Plain:
        return PlainFile::open(parsed.path, access, shareMode, disposition, flags, out, existed);
    case NameKind::RawDriveA:
        return RawDrive::open(driveA(), access, shareMode, disposition, flags, out);
    case NameKind::DriveAFile:
        if (parsed.path.empty()) {
            return sys::ERROR_ACCESS_DENIED;  // the root folder itself
        }
        if (parsed.path.find('/') != std::string::npos) {
            return sys::ERROR_PATH_NOT_FOUND;  // drive A: is written in its root only
        }
        return DriveFile::create(driveA(), parsed.path, access, disposition, out);
    case NameKind::NoSuchDevice:
        // Windows NT has no "\\.\vwin32"; neither has Linux.
        return sys::ERROR_FILE_NOT_FOUND;
    case NameKind::NoSuchDrive:
        return sys::ERROR_PATH_NOT_FOUND;
    }
    return sys::ERROR_INVALID_PARAMETER;
}

sys::Handle PosixKernel::CreateFileA(const char* name, sys::DWORD access, sys::DWORD shareMode,
                                     sys::DWORD disposition, sys::DWORD flagsAndAttributes) {
    std::unique_ptr<OpenObject> object;
    bool existed = false;
    const sys::DWORD error = open(name, access, shareMode, disposition, flagsAndAttributes, object, existed);
    if (error != sys::NO_ERROR) {
        if (name != nullptr) {
            diagnostics_.Cause(openCause(name, driveA(), error, (access & sys::GENERIC_WRITE) != 0));
        }
        fail(error);
        return sys::INVALID_HANDLE_VALUE;
    }
    const sys::Handle handle = nextHandle_;
    nextHandle_ += 4;
    objects_.emplace(handle, std::move(object));
    names_[handle] = name;
    // Windows reports on success whether CREATE_ALWAYS / OPEN_ALWAYS met an
    // existing file.
    constexpr sys::DWORD OPEN_ALWAYS = 4;
    const bool reportsExisting = disposition == sys::CREATE_ALWAYS || disposition == OPEN_ALWAYS;
    lastError_ = reportsExisting && existed ? sys::ERROR_ALREADY_EXISTS : sys::NO_ERROR;
    return handle;
}

sys::DWORD PosixKernel::SetFilePointer(sys::Handle h, sys::LONG distance, sys::DWORD moveMethod) {
    OpenObject* object = find(h);
    if (object == nullptr) {
        fail(sys::ERROR_INVALID_HANDLE);
        return sys::INVALID_SET_FILE_POINTER;
    }
    std::uint64_t position = 0;
    if (const sys::DWORD e = object->seek(distance, moveMethod, position); e != sys::NO_ERROR) {
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
    if (bytesRead != nullptr) {
        *bytesRead = 0;
    }
    OpenObject* object = find(h);
    if (object == nullptr) {
        return fail(sys::ERROR_INVALID_HANDLE);
    }
    if (buffer == nullptr && bytesToRead != 0) {
        return fail(sys::ERROR_INVALID_PARAMETER);
    }
    sys::DWORD done = 0;
    const sys::DWORD error = object->read(buffer, bytesToRead, done);
    if (bytesRead != nullptr) {
        *bytesRead = done;
    }
    if (error != sys::NO_ERROR) {
        diagnostics_.Cause("cannot read " + describeName(names_[h].c_str(), driveA()) + ": " + reasonOf(error));
        return fail(error);
    }
    return true;
}

sys::BOOL PosixKernel::WriteFile(sys::Handle h, const void* buffer, sys::DWORD bytesToWrite,
                                 sys::DWORD* bytesWritten) {
    if (bytesWritten != nullptr) {
        *bytesWritten = 0;
    }
    OpenObject* object = find(h);
    if (object == nullptr) {
        return fail(sys::ERROR_INVALID_HANDLE);
    }
    if (buffer == nullptr && bytesToWrite != 0) {
        return fail(sys::ERROR_INVALID_PARAMETER);
    }
    sys::DWORD done = 0;
    const sys::DWORD error = object->write(buffer, bytesToWrite, done);
    if (bytesWritten != nullptr) {
        *bytesWritten = done;
    }
    if (error != sys::NO_ERROR) {
        diagnostics_.Cause(writeCause(describeName(names_[h].c_str(), driveA()), driveA(), error));
        return fail(error);
    }
    return true;
}

sys::BOOL PosixKernel::CloseHandle(sys::Handle h) {
    const auto it = objects_.find(h);
    if (it == objects_.end()) {
        return fail(sys::ERROR_INVALID_HANDLE);
    }
    const sys::DWORD error = it->second->close();
    objects_.erase(it);
    const auto named = names_.find(h);
    if (named != names_.end()) {
        if (error != sys::NO_ERROR) {
            // A file on drive A: is finished (its table and entry written) on close.
            diagnostics_.Cause(writeCause(describeName(named->second.c_str(), driveA()), driveA(), error));
        }
        names_.erase(named);
    }
    return error == sys::NO_ERROR ? true : fail(error);
}

sys::DWORD PosixKernel::GetFileSize(sys::Handle h, sys::DWORD* sizeHigh) {
    OpenObject* object = find(h);
    std::uint64_t bytes = 0;
    const sys::DWORD error = object == nullptr ? sys::ERROR_INVALID_HANDLE : object->size(bytes);
    if (error != sys::NO_ERROR) {
        fail(error);
        return sys::INVALID_FILE_SIZE;
    }
    if (sizeHigh != nullptr) {
        *sizeHigh = static_cast<sys::DWORD>(bytes >> 32);
    }
    // The writer refuses a medium that is not a 1.44 MB diskette before
    // writing; should it, this is why.
    if (const auto named = names_.find(h); named != names_.end() && bytes != DriveATargetBytes &&
                                           parseName(named->second.c_str()).kind == NameKind::RawDriveA) {
        diagnostics_.Cause(driveSizeCause(driveA(), bytes));
    }
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
    if (bytesReturned != nullptr) {
        *bytesReturned = 0;
    }
    OpenObject* object = find(h);
    if (object == nullptr) {
        return fail(sys::ERROR_INVALID_HANDLE);
    }
    const sys::DWORD error = object->control(code);
    if (error != sys::NO_ERROR && code == sys::FSCTL_LOCK_VOLUME) {
        diagnostics_.Cause(lockCause(driveA()));
    }
    return error == sys::NO_ERROR ? true : fail(error);
}

// There is no loader for program information files on Linux; the shell
// hides Start Regeneration there, and a call that gets here anyway fails.
sys::BOOL PosixKernel::CreateProcessA(const char*, char*, sys::BOOL, sys::DWORD, const sys::StartupInfo&,
                                      sys::ProcessInformation* info) {
    if (info != nullptr) {
        *info = sys::ProcessInformation{};
    }
    return fail(sys::ERROR_NOT_SUPPORTED);
}

// Linux is reported as the NT family, which is what decides the shell's
// behaviour: raw access through "\\.\a:", no direct launch.
sys::BOOL PosixKernel::GetVersionExA(sys::OsVersionInfo* info) {
    if (info == nullptr || info->dwOSVersionInfoSize != sizeof(sys::OsVersionInfo)) {
        return fail(sys::ERROR_INVALID_PARAMETER);
    }
    info->dwMajorVersion = 5;
    info->dwMinorVersion = 1;
    info->dwBuildNumber = 2600;
    info->dwPlatformId = sys::VER_PLATFORM_WIN32_NT;
    std::memset(info->szCSDVersion, 0, sizeof info->szCSDVersion);
    return true;
}

}  // namespace posix
