// The facade promises the Win32 values for its constants; the compiler checks
// it here against <windows.h>. The facade's names are read before that header
// turns them into macros.
#include "platform/forms/Types.h"
#include "platform/kernel.h"
#include "platform/shell.h"

namespace {

struct Facade {
    static constexpr auto genericRead = sys::GENERIC_READ;
    static constexpr auto genericWrite = sys::GENERIC_WRITE;
    static constexpr auto shareRead = sys::FILE_SHARE_READ;
    static constexpr auto shareWrite = sys::FILE_SHARE_WRITE;
    static constexpr auto createNew = sys::CREATE_NEW;
    static constexpr auto createAlways = sys::CREATE_ALWAYS;
    static constexpr auto openExisting = sys::OPEN_EXISTING;
    static constexpr auto attributeNormal = sys::FILE_ATTRIBUTE_NORMAL;
    static constexpr auto writeThrough = sys::FILE_FLAG_WRITE_THROUGH;
    static constexpr auto fileBegin = sys::FILE_BEGIN;
    static constexpr auto invalidSetFilePointer = sys::INVALID_SET_FILE_POINTER;
    static constexpr auto invalidFileSize = sys::INVALID_FILE_SIZE;
    static constexpr auto noError = sys::NO_ERROR;
    static constexpr auto fileNotFound = sys::ERROR_FILE_NOT_FOUND;
    static constexpr auto pathNotFound = sys::ERROR_PATH_NOT_FOUND;
    static constexpr auto accessDenied = sys::ERROR_ACCESS_DENIED;
    static constexpr auto invalidHandle = sys::ERROR_INVALID_HANDLE;
    static constexpr auto notEnoughMemory = sys::ERROR_NOT_ENOUGH_MEMORY;
    static constexpr auto writeProtect = sys::ERROR_WRITE_PROTECT;
    static constexpr auto notReady = sys::ERROR_NOT_READY;
    static constexpr auto sectorNotFound = sys::ERROR_SECTOR_NOT_FOUND;
    static constexpr auto writeFault = sys::ERROR_WRITE_FAULT;
    static constexpr auto readFault = sys::ERROR_READ_FAULT;
    static constexpr auto sharingViolation = sys::ERROR_SHARING_VIOLATION;
    static constexpr auto lockViolation = sys::ERROR_LOCK_VIOLATION;
    static constexpr auto handleEof = sys::ERROR_HANDLE_EOF;
    static constexpr auto notSupported = sys::ERROR_NOT_SUPPORTED;
    static constexpr auto fileExists = sys::ERROR_FILE_EXISTS;
    static constexpr auto invalidParameter = sys::ERROR_INVALID_PARAMETER;
    static constexpr auto diskFull = sys::ERROR_DISK_FULL;
    static constexpr auto invalidName = sys::ERROR_INVALID_NAME;
    static constexpr auto alreadyExists = sys::ERROR_ALREADY_EXISTS;
    static constexpr auto fileCorrupt = sys::ERROR_FILE_CORRUPT;
    static constexpr auto lockVolume = sys::FSCTL_LOCK_VOLUME;
    static constexpr auto dismountVolume = sys::FSCTL_DISMOUNT_VOLUME;
    static constexpr auto driveGeometry = sys::IOCTL_DISK_GET_DRIVE_GEOMETRY;
    static constexpr auto geometrySize = sizeof(sys::DiskGeometry);
    static constexpr auto platformWin32s = sys::VER_PLATFORM_WIN32s;
    static constexpr auto platformWindows = sys::VER_PLATFORM_WIN32_WINDOWS;
    static constexpr auto platformNt = sys::VER_PLATFORM_WIN32_NT;
    static constexpr auto invalidHandleValue = sys::INVALID_HANDLE_VALUE;
    static constexpr auto showNormal = sys::SW_SHOWNORMAL;
    static constexpr auto restore = sys::SW_RESTORE;
    static constexpr auto defaultCharset = forms::DEFAULT_CHARSET;
    static constexpr auto russianCharset = forms::RUSSIAN_CHARSET;
    static constexpr auto colorWindow = forms::clWindow.systemIndex();
    static constexpr auto colorWindowText = forms::clWindowText.systemIndex();
    static constexpr auto colorBtnFace = forms::clBtnFace.systemIndex();
};

}  // namespace

// Directly, not through WinApi.h: the character-set macros are wanted here.
#include <windows.h>
#include <winioctl.h>

namespace {

static_assert(Facade::genericRead == GENERIC_READ);
static_assert(Facade::genericWrite == GENERIC_WRITE);
static_assert(Facade::shareRead == FILE_SHARE_READ);
static_assert(Facade::shareWrite == FILE_SHARE_WRITE);
static_assert(Facade::createNew == CREATE_NEW);
static_assert(Facade::createAlways == CREATE_ALWAYS);
static_assert(Facade::openExisting == OPEN_EXISTING);
static_assert(Facade::attributeNormal == FILE_ATTRIBUTE_NORMAL);
static_assert(Facade::writeThrough == FILE_FLAG_WRITE_THROUGH);
static_assert(Facade::fileBegin == FILE_BEGIN);
static_assert(Facade::invalidSetFilePointer == INVALID_SET_FILE_POINTER);
static_assert(Facade::invalidFileSize == INVALID_FILE_SIZE);
static_assert(Facade::noError == NO_ERROR);
static_assert(Facade::fileNotFound == ERROR_FILE_NOT_FOUND);
static_assert(Facade::pathNotFound == ERROR_PATH_NOT_FOUND);
static_assert(Facade::accessDenied == ERROR_ACCESS_DENIED);
static_assert(Facade::invalidHandle == ERROR_INVALID_HANDLE);
static_assert(Facade::notEnoughMemory == ERROR_NOT_ENOUGH_MEMORY);
static_assert(Facade::writeProtect == ERROR_WRITE_PROTECT);
static_assert(Facade::notReady == ERROR_NOT_READY);
static_assert(Facade::sectorNotFound == ERROR_SECTOR_NOT_FOUND);
static_assert(Facade::writeFault == ERROR_WRITE_FAULT);
static_assert(Facade::readFault == ERROR_READ_FAULT);
static_assert(Facade::sharingViolation == ERROR_SHARING_VIOLATION);
static_assert(Facade::lockViolation == ERROR_LOCK_VIOLATION);
static_assert(Facade::handleEof == ERROR_HANDLE_EOF);
static_assert(Facade::notSupported == ERROR_NOT_SUPPORTED);
static_assert(Facade::fileExists == ERROR_FILE_EXISTS);
static_assert(Facade::invalidParameter == ERROR_INVALID_PARAMETER);
static_assert(Facade::diskFull == ERROR_DISK_FULL);
static_assert(Facade::invalidName == ERROR_INVALID_NAME);
static_assert(Facade::alreadyExists == ERROR_ALREADY_EXISTS);
static_assert(Facade::fileCorrupt == ERROR_FILE_CORRUPT);
static_assert(Facade::lockVolume == FSCTL_LOCK_VOLUME);
static_assert(Facade::dismountVolume == FSCTL_DISMOUNT_VOLUME);
static_assert(Facade::driveGeometry == IOCTL_DISK_GET_DRIVE_GEOMETRY);
static_assert(Facade::geometrySize == sizeof(DISK_GEOMETRY));
static_assert(Facade::platformWin32s == VER_PLATFORM_WIN32s);
static_assert(Facade::platformWindows == VER_PLATFORM_WIN32_WINDOWS);
static_assert(Facade::platformNt == VER_PLATFORM_WIN32_NT);
static_assert(Facade::invalidHandleValue == -1);  // INVALID_HANDLE_VALUE is (HANDLE)-1
static_assert(Facade::showNormal == SW_SHOWNORMAL);
static_assert(Facade::restore == SW_RESTORE);
static_assert(Facade::defaultCharset == DEFAULT_CHARSET);
static_assert(Facade::russianCharset == RUSSIAN_CHARSET);
static_assert(Facade::colorWindow == COLOR_WINDOW);
static_assert(Facade::colorWindowText == COLOR_WINDOWTEXT);
static_assert(Facade::colorBtnFace == COLOR_BTNFACE);

}  // namespace
