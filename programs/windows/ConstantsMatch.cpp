// The facade promises the Win32 values for its constants; the compiler checks
// it here against <windows.h>. The facade's names are read before that header
// turns them into macros.
#include "platform/forms/Types.h"
#include "platform/kernel.h"
#include "platform/shell.h"

namespace {

struct Facade {
    static constexpr auto GenericRead = sys::GENERIC_READ;
    static constexpr auto GenericWrite = sys::GENERIC_WRITE;
    static constexpr auto ShareRead = sys::FILE_SHARE_READ;
    static constexpr auto ShareWrite = sys::FILE_SHARE_WRITE;
    static constexpr auto CreateNew = sys::CREATE_NEW;
    static constexpr auto CreateAlways = sys::CREATE_ALWAYS;
    static constexpr auto OpenExisting = sys::OPEN_EXISTING;
    static constexpr auto AttributeNormal = sys::FILE_ATTRIBUTE_NORMAL;
    static constexpr auto WriteThrough = sys::FILE_FLAG_WRITE_THROUGH;
    static constexpr auto FileBegin = sys::FILE_BEGIN;
    static constexpr auto InvalidSetFilePointer = sys::INVALID_SET_FILE_POINTER;
    static constexpr auto InvalidFileSize = sys::INVALID_FILE_SIZE;
    static constexpr auto NoError = sys::NO_ERROR;
    static constexpr auto FileNotFound = sys::ERROR_FILE_NOT_FOUND;
    static constexpr auto PathNotFound = sys::ERROR_PATH_NOT_FOUND;
    static constexpr auto AccessDenied = sys::ERROR_ACCESS_DENIED;
    static constexpr auto InvalidHandle = sys::ERROR_INVALID_HANDLE;
    static constexpr auto NotEnoughMemory = sys::ERROR_NOT_ENOUGH_MEMORY;
    static constexpr auto WriteProtect = sys::ERROR_WRITE_PROTECT;
    static constexpr auto NotReady = sys::ERROR_NOT_READY;
    static constexpr auto SectorNotFound = sys::ERROR_SECTOR_NOT_FOUND;
    static constexpr auto WriteFault = sys::ERROR_WRITE_FAULT;
    static constexpr auto ReadFault = sys::ERROR_READ_FAULT;
    static constexpr auto SharingViolation = sys::ERROR_SHARING_VIOLATION;
    static constexpr auto LockViolation = sys::ERROR_LOCK_VIOLATION;
    static constexpr auto HandleEof = sys::ERROR_HANDLE_EOF;
    static constexpr auto NotSupported = sys::ERROR_NOT_SUPPORTED;
    static constexpr auto FileExists = sys::ERROR_FILE_EXISTS;
    static constexpr auto InvalidParameter = sys::ERROR_INVALID_PARAMETER;
    static constexpr auto DiskFull = sys::ERROR_DISK_FULL;
    static constexpr auto InvalidName = sys::ERROR_INVALID_NAME;
    static constexpr auto AlreadyExists = sys::ERROR_ALREADY_EXISTS;
    static constexpr auto FileCorrupt = sys::ERROR_FILE_CORRUPT;
    static constexpr auto LockVolume = sys::FSCTL_LOCK_VOLUME;
    static constexpr auto DismountVolume = sys::FSCTL_DISMOUNT_VOLUME;
    static constexpr auto DriveGeometry = sys::IOCTL_DISK_GET_DRIVE_GEOMETRY;
    static constexpr auto GeometrySize = sizeof(sys::DiskGeometry);
    static constexpr auto PlatformWin32s = sys::VER_PLATFORM_WIN32s;
    static constexpr auto PlatformWindows = sys::VER_PLATFORM_WIN32_WINDOWS;
    static constexpr auto PlatformNt = sys::VER_PLATFORM_WIN32_NT;
    static constexpr auto InvalidHandleValue = sys::INVALID_HANDLE_VALUE;
    static constexpr auto ShowNormal = sys::SW_SHOWNORMAL;
    static constexpr auto Restore = sys::SW_RESTORE;
    static constexpr auto DefaultCharset = forms::DEFAULT_CHARSET;
    static constexpr auto RussianCharset = forms::RUSSIAN_CHARSET;
    static constexpr auto ColorWindow = forms::clWindow.systemIndex();
    static constexpr auto ColorWindowText = forms::clWindowText.systemIndex();
    static constexpr auto ColorBtnFace = forms::clBtnFace.systemIndex();
};

}  // namespace

// Directly, not through WinApi.h: the character-set macros are wanted here.
#include <windows.h>
#include <winioctl.h>

namespace {

static_assert(Facade::GenericRead == GENERIC_READ);
static_assert(Facade::GenericWrite == GENERIC_WRITE);
static_assert(Facade::ShareRead == FILE_SHARE_READ);
static_assert(Facade::ShareWrite == FILE_SHARE_WRITE);
static_assert(Facade::CreateNew == CREATE_NEW);
static_assert(Facade::CreateAlways == CREATE_ALWAYS);
static_assert(Facade::OpenExisting == OPEN_EXISTING);
static_assert(Facade::AttributeNormal == FILE_ATTRIBUTE_NORMAL);
static_assert(Facade::WriteThrough == FILE_FLAG_WRITE_THROUGH);
static_assert(Facade::FileBegin == FILE_BEGIN);
static_assert(Facade::InvalidSetFilePointer == INVALID_SET_FILE_POINTER);
static_assert(Facade::InvalidFileSize == INVALID_FILE_SIZE);
static_assert(Facade::NoError == NO_ERROR);
static_assert(Facade::FileNotFound == ERROR_FILE_NOT_FOUND);
static_assert(Facade::PathNotFound == ERROR_PATH_NOT_FOUND);
static_assert(Facade::AccessDenied == ERROR_ACCESS_DENIED);
static_assert(Facade::InvalidHandle == ERROR_INVALID_HANDLE);
static_assert(Facade::NotEnoughMemory == ERROR_NOT_ENOUGH_MEMORY);
static_assert(Facade::WriteProtect == ERROR_WRITE_PROTECT);
static_assert(Facade::NotReady == ERROR_NOT_READY);
static_assert(Facade::SectorNotFound == ERROR_SECTOR_NOT_FOUND);
static_assert(Facade::WriteFault == ERROR_WRITE_FAULT);
static_assert(Facade::ReadFault == ERROR_READ_FAULT);
static_assert(Facade::SharingViolation == ERROR_SHARING_VIOLATION);
static_assert(Facade::LockViolation == ERROR_LOCK_VIOLATION);
static_assert(Facade::HandleEof == ERROR_HANDLE_EOF);
static_assert(Facade::NotSupported == ERROR_NOT_SUPPORTED);
static_assert(Facade::FileExists == ERROR_FILE_EXISTS);
static_assert(Facade::InvalidParameter == ERROR_INVALID_PARAMETER);
static_assert(Facade::DiskFull == ERROR_DISK_FULL);
static_assert(Facade::InvalidName == ERROR_INVALID_NAME);
static_assert(Facade::AlreadyExists == ERROR_ALREADY_EXISTS);
static_assert(Facade::FileCorrupt == ERROR_FILE_CORRUPT);
static_assert(Facade::LockVolume == FSCTL_LOCK_VOLUME);
static_assert(Facade::DismountVolume == FSCTL_DISMOUNT_VOLUME);
static_assert(Facade::DriveGeometry == IOCTL_DISK_GET_DRIVE_GEOMETRY);
static_assert(Facade::GeometrySize == sizeof(DISK_GEOMETRY));
static_assert(Facade::PlatformWin32s == VER_PLATFORM_WIN32s);
static_assert(Facade::PlatformWindows == VER_PLATFORM_WIN32_WINDOWS);
static_assert(Facade::PlatformNt == VER_PLATFORM_WIN32_NT);
static_assert(Facade::InvalidHandleValue == -1);  // INVALID_HANDLE_VALUE is (HANDLE)-1
static_assert(Facade::ShowNormal == SW_SHOWNORMAL);
static_assert(Facade::Restore == SW_RESTORE);
static_assert(Facade::DefaultCharset == DEFAULT_CHARSET);
static_assert(Facade::RussianCharset == RUSSIAN_CHARSET);
static_assert(Facade::ColorWindow == COLOR_WINDOW);
static_assert(Facade::ColorWindowText == COLOR_WINDOWTEXT);
static_assert(Facade::ColorBtnFace == COLOR_BTNFACE);

}  // namespace
