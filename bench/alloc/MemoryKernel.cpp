#include "bench/alloc/MemoryKernel.h"

#include <algorithm>
#include <cstring>

namespace alloc {
namespace {

constexpr const char* ImageName = "Dsck.tr";
constexpr const char* RawVolume = "\\\\.\\a:";

// Handle values are slot numbers moved off 0 and INVALID_HANDLE_VALUE.
constexpr sys::Handle HandleBase = 4;

}  // namespace

MemoryKernel::MemoryKernel(std::span<const std::uint8_t> image) : imageSize_(std::min(image.size(), ImageCapacity)) {
    std::copy_n(image.begin(), imageSize_, image_.begin());
}

std::span<const std::uint8_t> MemoryKernel::file(const char* name) const {
    for (const DriveFile& f : files_)
        if (std::strcmp(f.name, name) == 0) return {f.bytes.data(), f.size};
    return {};
}

int MemoryKernel::openHandles() const {
    return static_cast<int>(std::count_if(handles_.begin(), handles_.end(),
                                          [](const OpenObject& o) { return o.kind != Kind::Closed; }));
}

sys::BOOL MemoryKernel::fail(sys::DWORD error) {
    lastError_ = error;
    return false;
}

MemoryKernel::OpenObject* MemoryKernel::find(sys::Handle h) {
    const sys::Handle slot = h - HandleBase;
    if (slot < 0 || slot >= static_cast<sys::Handle>(handles_.size())) return nullptr;
    OpenObject& object = handles_[static_cast<std::size_t>(slot)];
    return object.kind == Kind::Closed ? nullptr : &object;
}

std::uint64_t MemoryKernel::sizeOf(const OpenObject& object) const {
    switch (object.kind) {
    case Kind::Image: return imageSize_;
    case Kind::Raw: return DisketteBytes;
    case Kind::DriveFile: return files_[object.file].size;
    case Kind::Closed: break;
    }
    return 0;
}

sys::Handle MemoryKernel::CreateFileA(const char* name, sys::DWORD, sys::DWORD, sys::DWORD disposition,
                                      sys::DWORD) {
    OpenObject opened;
    if (std::strcmp(name, ImageName) == 0 && disposition == sys::OPEN_EXISTING) {
        opened.kind = Kind::Image;
    } else if (std::strcmp(name, RawVolume) == 0 && disposition == sys::OPEN_EXISTING) {
        opened.kind = Kind::Raw;
    } else {
        const auto file = std::find_if(files_.begin(), files_.end(),
                                       [&](const DriveFile& f) { return std::strcmp(f.name, name) == 0; });
        if (file == files_.end() || disposition != sys::CREATE_NEW) {
            fail(sys::ERROR_NOT_SUPPORTED);
            return sys::INVALID_HANDLE_VALUE;
        }
        if (file->exists) {
            fail(sys::ERROR_FILE_EXISTS);
            return sys::INVALID_HANDLE_VALUE;
        }
        file->exists = true;
        file->size = 0;
        opened.kind = Kind::DriveFile;
        opened.file = static_cast<std::size_t>(file - files_.begin());
    }
    const auto slot = std::find_if(handles_.begin(), handles_.end(),
                                   [](const OpenObject& o) { return o.kind == Kind::Closed; });
    if (slot == handles_.end()) {
        fail(sys::ERROR_NOT_ENOUGH_MEMORY);
        return sys::INVALID_HANDLE_VALUE;
    }
    *slot = opened;
    lastError_ = sys::NO_ERROR;
    return HandleBase + (slot - handles_.begin());
}

sys::DWORD MemoryKernel::SetFilePointer(sys::Handle h, sys::LONG distance, sys::DWORD moveMethod) {
    OpenObject* object = find(h);
    if (object == nullptr || moveMethod > 2) {
        fail(object == nullptr ? sys::ERROR_INVALID_HANDLE : sys::ERROR_INVALID_PARAMETER);
        return sys::INVALID_SET_FILE_POINTER;
    }
    const std::int64_t base = moveMethod == sys::FILE_BEGIN ? 0
                              : moveMethod == 1            ? static_cast<std::int64_t>(object->position)
                                                           : static_cast<std::int64_t>(sizeOf(*object));
    const std::int64_t target = base + distance;
    if (target < 0) {
        fail(sys::ERROR_INVALID_PARAMETER);
        return sys::INVALID_SET_FILE_POINTER;
    }
    object->position = static_cast<std::uint64_t>(target);
    lastError_ = sys::NO_ERROR;
    return static_cast<sys::DWORD>(target);
}

sys::BOOL MemoryKernel::ReadFile(sys::Handle h, void* buffer, sys::DWORD bytesToRead, sys::DWORD* bytesRead) {
    if (bytesRead != nullptr) *bytesRead = 0;
    OpenObject* object = find(h);
    if (object == nullptr || object->kind != Kind::Image) return fail(sys::ERROR_ACCESS_DENIED);
    const std::uint64_t available = object->position < imageSize_ ? imageSize_ - object->position : 0;
    const auto n = static_cast<sys::DWORD>(std::min<std::uint64_t>(bytesToRead, available));
    std::memcpy(buffer, image_.data() + object->position, n);
    object->position += n;
    if (bytesRead != nullptr) *bytesRead = n;
    return true;
}

sys::BOOL MemoryKernel::WriteFile(sys::Handle h, const void* buffer, sys::DWORD bytesToWrite,
                                  sys::DWORD* bytesWritten) {
    if (bytesWritten != nullptr) *bytesWritten = 0;
    OpenObject* object = find(h);
    if (object == nullptr || object->kind == Kind::Image) return fail(sys::ERROR_ACCESS_DENIED);
    std::uint8_t* target = nullptr;
    std::uint64_t capacity = 0;
    if (object->kind == Kind::Raw) {
        target = diskette_.data();
        capacity = DisketteBytes;
    } else {
        DriveFile& file = files_[object->file];
        object->position = file.size;  // sequential only
        target = file.bytes.data();
        capacity = FileCapacity;
    }
    if (object->position > capacity || bytesToWrite > capacity - object->position)
        return fail(object->kind == Kind::Raw ? sys::ERROR_SECTOR_NOT_FOUND : sys::ERROR_DISK_FULL);
    std::memcpy(target + object->position, buffer, bytesToWrite);
    object->position += bytesToWrite;
    if (object->kind == Kind::DriveFile) files_[object->file].size = object->position;
    if (bytesWritten != nullptr) *bytesWritten = bytesToWrite;
    return true;
}

sys::BOOL MemoryKernel::CloseHandle(sys::Handle h) {
    OpenObject* object = find(h);
    if (object == nullptr) return fail(sys::ERROR_INVALID_HANDLE);
    *object = OpenObject{};
    return true;
}

sys::DWORD MemoryKernel::GetFileSize(sys::Handle h, sys::DWORD* sizeHigh) {
    OpenObject* object = find(h);
    if (object == nullptr) {
        fail(sys::ERROR_INVALID_HANDLE);
        return sys::INVALID_FILE_SIZE;
    }
    if (sizeHigh != nullptr) *sizeHigh = 0;
    lastError_ = sys::NO_ERROR;
    return static_cast<sys::DWORD>(sizeOf(*object));
}

sys::BOOL MemoryKernel::MoveFileA(const char*, const char*) { return fail(sys::ERROR_NOT_SUPPORTED); }

sys::BOOL MemoryKernel::DeleteFileA(const char*) { return fail(sys::ERROR_NOT_SUPPORTED); }

// Locking and dismounting the raw volume always succeed: nobody else holds it.
sys::BOOL MemoryKernel::DeviceIoControl(sys::Handle h, sys::DWORD code, void*, sys::DWORD, void*, sys::DWORD,
                                        sys::DWORD* bytesReturned) {
    if (bytesReturned != nullptr) *bytesReturned = 0;
    OpenObject* object = find(h);
    if (object == nullptr || object->kind != Kind::Raw) return fail(sys::ERROR_INVALID_HANDLE);
    if (code != sys::FSCTL_LOCK_VOLUME && code != sys::FSCTL_DISMOUNT_VOLUME) return fail(sys::ERROR_NOT_SUPPORTED);
    return true;
}

sys::BOOL MemoryKernel::CreateProcessA(const char*, char*, sys::BOOL, sys::DWORD, const sys::StartupInfo&,
                                       sys::ProcessInformation*) {
    return fail(sys::ERROR_NOT_SUPPORTED);
}

sys::BOOL MemoryKernel::GetVersionExA(sys::OsVersionInfo*) { return fail(sys::ERROR_NOT_SUPPORTED); }

}  // namespace alloc
