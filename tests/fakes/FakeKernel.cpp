#include "tests/fakes/FakeKernel.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <sstream>

namespace fakes {

std::string Key(const std::string& name) {
    std::string k = name;
    for (char& ch : k) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return k;
}

namespace {

const char* opName(Op op) {
    switch (op) {
    case Op::CreateFile: return "CreateFileA";
    case Op::SetFilePointer: return "SetFilePointer";
    case Op::ReadFile: return "ReadFile";
    case Op::WriteFile: return "WriteFile";
    case Op::CloseHandle: return "CloseHandle";
    case Op::GetFileSize: return "GetFileSize";
    case Op::MoveFile: return "MoveFileA";
    case Op::DeleteFile: return "DeleteFileA";
    case Op::DeviceIoControl: return "DeviceIoControl";
    case Op::CreateProcess: return "CreateProcessA";
    case Op::GetVersionEx: return "GetVersionExA";
    }
    return "?";
}

// "a:/Dsck.tr" and "a:zelkor.exe" name files in drive A:'s root folder.
std::optional<std::string> disketteName(const std::string& name) {
    if (name.size() < 3 || std::tolower(static_cast<unsigned char>(name[0])) != 'a' || name[1] != ':') return {};
    std::string rest = name.substr(2);
    if (!rest.empty() && (rest[0] == '/' || rest[0] == '\\')) rest.erase(0, 1);
    std::string upper = rest;
    for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    return upper;
}

}  // namespace

std::string Call::str() const {
    std::ostringstream out;
    out << opName(op) << '(' << target;
    switch (op) {
    case Op::CreateFile: out << ", " << std::hex << "0x" << a << ", " << std::dec << b << ", " << c << ", 0x" << std::hex << d; break;
    case Op::SetFilePointer: out << ", " << a; break;
    case Op::ReadFile:
    case Op::WriteFile: out << ", " << a; break;
    case Op::DeviceIoControl:
        out << ", 0x" << std::hex << a;
        // The DOS IOCTL's minor code (reg_ECX) tells a lock from a release.
        if (a == sys::VWIN32_DIOC_DOS_IOCTL && block.size() == 28)
            out << ", 0x" << (block[8] | block[9] << 8 | block[10] << 16 | block[11] << 24);
        break;
    case Op::MoveFile: out << ", " << text; break;
    case Op::CreateProcess: out << ", " << text; break;
    default: break;
    }
    out << ')';
    return out.str();
}

FakeKernel::FakeKernel() : drive(DriveSectors * 512, 0) {}

void FakeKernel::injectAt(std::size_t callIndex, Fault fault, sys::DWORD error) {
    faultAt_ = callIndex;
    fault_ = fault;
    faultError_ = error;
}

std::vector<std::string> FakeKernel::log() const {
    std::vector<std::string> lines;
    for (const Call& c : calls) lines.push_back(c.str());
    return lines;
}

Bytes* FakeKernel::file(const std::string& name) {
    auto it = files.find(Key(name));
    return it == files.end() ? nullptr : &it->second;
}

Bytes FakeKernel::sector(std::size_t n) const {
    return Bytes(drive.begin() + static_cast<std::ptrdiff_t>(n * 512),
                 drive.begin() + static_cast<std::ptrdiff_t>((n + 1) * 512));
}

bool FakeKernel::record(Call call) {
    const bool hit = faultAt_ && *faultAt_ == callCount_;
    ++callCount_;
    call.ok = !(hit && fault_ != Fault::Short);
    calls.push_back(std::move(call));
    faultHit_ = hit;
    return hit;
}

sys::Handle FakeKernel::invalid(sys::DWORD error) {
    fail(error);
    return sys::INVALID_HANDLE_VALUE;
}

bool FakeKernel::fail(sys::DWORD error) {
    lastError_ = error;
    if (!calls.empty()) calls.back().ok = false;
    return false;
}

FakeKernel::Open* FakeKernel::find(sys::Handle h) {
    auto it = open_.find(h);
    return it == open_.end() ? nullptr : &it->second;
}

Bytes* FakeKernel::storage(const Open& o) {
    switch (o.kind) {
    case Kind::File: return file(o.name);
    case Kind::RawVolume: return &drive;
    case Kind::DisketteFile: {
        auto it = disketteFiles.find(o.name);
        return it == disketteFiles.end() ? nullptr : &it->second;
    }
    default: return nullptr;
    }
}

sys::Handle FakeKernel::CreateFileA(const char* name, sys::DWORD access, sys::DWORD shareMode,
                                    sys::DWORD disposition, sys::DWORD flags) {
    const std::string n = name;
    if (record({Op::CreateFile, n, access, shareMode, disposition, flags})) {
        fail(faultError_);
        return sys::INVALID_HANDLE_VALUE;
    }
    Open o;
    o.name = n;
    o.canRead = (access & sys::GENERIC_READ) != 0;
    o.canWrite = (access & sys::GENERIC_WRITE) != 0;
    o.exclusive = shareMode == 0;

    if (Key(n) == "\\\\.\\vwin32") {
        if (!hasVwin32) return invalid(sys::ERROR_FILE_NOT_FOUND);
        o.kind = Kind::Vwin32;
    } else if (Key(n) == "\\\\.\\a:") {
        if (!disketteInserted) return invalid(sys::ERROR_NOT_READY);
        if (o.canWrite && writeProtected) return invalid(sys::ERROR_WRITE_PROTECT);
        o.kind = Kind::RawVolume;
    } else if (auto dn = disketteName(n)) {
        if (!disketteInserted) return invalid(sys::ERROR_NOT_READY);
        if (writeProtected) return invalid(sys::ERROR_WRITE_PROTECT);
        if (disposition != sys::CREATE_NEW) return invalid(sys::ERROR_INVALID_PARAMETER);
        if (disketteFiles.count(*dn)) return invalid(sys::ERROR_FILE_EXISTS);
        disketteFiles[*dn] = {};
        o.kind = Kind::DisketteFile;
        o.name = *dn;
    } else {
        const std::string k = Key(n);
        if (folders.count(k)) return invalid(sys::ERROR_ACCESS_DENIED);
        if (lockedByOthers.count(k)) return invalid(sys::ERROR_SHARING_VIOLATION);
        for (const auto& [h, other] : open_)
            if (other.kind == Kind::File && Key(other.name) == k && (other.exclusive || o.exclusive))
                return invalid(sys::ERROR_SHARING_VIOLATION);
        const bool exists = files.count(k) != 0;
        switch (disposition) {
        case sys::OPEN_EXISTING:
            if (!exists) return invalid(sys::ERROR_FILE_NOT_FOUND);
            break;
        case sys::CREATE_NEW:
            if (exists) return invalid(sys::ERROR_FILE_EXISTS);
            files[k] = {};
            break;
        case sys::CREATE_ALWAYS: files[k] = {}; break;
        default: return invalid(sys::ERROR_INVALID_PARAMETER);
        }
        o.kind = Kind::File;
        o.name = k;
    }
    const sys::Handle h = next_++;
    open_[h] = o;
    lastError_ = sys::NO_ERROR;
    return h;
}

sys::DWORD FakeKernel::SetFilePointer(sys::Handle h, sys::LONG distance, sys::DWORD moveMethod) {
    Open* o = find(h);
    if (record({Op::SetFilePointer, o ? o->name : "?", distance, moveMethod})) {
        fail(faultError_);
        return sys::INVALID_SET_FILE_POINTER;
    }
    if (!o || moveMethod != sys::FILE_BEGIN || distance < 0) {
        fail(o ? sys::ERROR_INVALID_PARAMETER : sys::ERROR_INVALID_HANDLE);
        return sys::INVALID_SET_FILE_POINTER;
    }
    o->position = static_cast<std::size_t>(distance);
    lastError_ = sys::NO_ERROR;
    return static_cast<sys::DWORD>(distance);
}

sys::BOOL FakeKernel::ReadFile(sys::Handle h, void* buffer, sys::DWORD bytesToRead, sys::DWORD* bytesRead) {
    Open* o = find(h);
    *bytesRead = 0;
    const bool hit = record({Op::ReadFile, o ? o->name : "?", bytesToRead});
    if (hit && fault_ == Fault::Fail) return fail(faultError_);
    if (!o || !o->canRead) return fail(o ? sys::ERROR_ACCESS_DENIED : sys::ERROR_INVALID_HANDLE);
    if (o->kind == Kind::File && unreadable.count(o->name)) return fail(sys::ERROR_CRC);
    Bytes* data = storage(*o);
    if (!data) return fail(sys::ERROR_INVALID_HANDLE);
    std::size_t n = o->position >= data->size() ? 0 : std::min<std::size_t>(bytesToRead, data->size() - o->position);
    if (hit) n /= 2;
    if (n) std::memcpy(buffer, data->data() + o->position, n);
    o->position += n;
    *bytesRead = static_cast<sys::DWORD>(n);
    calls.back().b = static_cast<std::int64_t>(n);
    return true;
}

sys::BOOL FakeKernel::WriteFile(sys::Handle h, const void* buffer, sys::DWORD bytesToWrite,
                                sys::DWORD* bytesWritten) {
    Open* o = find(h);
    *bytesWritten = 0;
    const bool hit = record({Op::WriteFile, o ? o->name : "?", bytesToWrite});
    if (hit && fault_ == Fault::Fail) return fail(faultError_);
    if (!o || !o->canWrite) return fail(o ? sys::ERROR_ACCESS_DENIED : sys::ERROR_INVALID_HANDLE);
    Bytes* data = storage(*o);
    if (!data) return fail(sys::ERROR_INVALID_HANDLE);
    std::size_t n = bytesToWrite;
    if (o->kind == Kind::RawVolume && o->position + n > data->size())
        return fail(sys::ERROR_SECTOR_NOT_FOUND);  // a diskette does not grow
    if (o->kind == Kind::DisketteFile) {
        std::size_t used = 0;
        for (const auto& [name, bytes] : disketteFiles) used += bytes.size();
        if (used + n > disketteFreeBytes) return fail(sys::ERROR_DISK_FULL);
    }
    if (hit) n /= 2;
    if (o->position + n > data->size()) data->resize(o->position + n);
    if (n) std::memcpy(data->data() + o->position, buffer, n);
    o->position += n;
    *bytesWritten = static_cast<sys::DWORD>(n);
    calls.back().b = static_cast<std::int64_t>(n);
    return true;
}

sys::BOOL FakeKernel::CloseHandle(sys::Handle h) {
    Open* o = find(h);
    const bool hit = record({Op::CloseHandle, o ? o->name : "?"});
    if (!o) return fail(sys::ERROR_INVALID_HANDLE);
    open_.erase(h);  // a failing close still releases the handle
    if (hit) return fail(faultError_);
    return true;
}

sys::DWORD FakeKernel::GetFileSize(sys::Handle h, sys::DWORD* sizeHigh) {
    Open* o = find(h);
    if (record({Op::GetFileSize, o ? o->name : "?"})) {
        fail(faultError_);
        return sys::INVALID_FILE_SIZE;
    }
    Bytes* data = o ? storage(*o) : nullptr;
    if (!data) {
        fail(sys::ERROR_INVALID_HANDLE);
        return sys::INVALID_FILE_SIZE;
    }
    if (sizeHigh) *sizeHigh = 0;
    lastError_ = sys::NO_ERROR;
    return static_cast<sys::DWORD>(data->size());
}

sys::BOOL FakeKernel::MoveFileA(const char* from, const char* to) {
    Call call{Op::MoveFile, from};
    call.text = to;
    if (record(call)) return fail(faultError_);
    const std::string f = Key(from), t = Key(to);
    if (!files.count(f)) return fail(sys::ERROR_FILE_NOT_FOUND);
    if (files.count(t)) return fail(sys::ERROR_ALREADY_EXISTS);
    files[t] = std::move(files[f]);
    files.erase(f);
    return true;
}

sys::BOOL FakeKernel::DeleteFileA(const char* name) {
    if (record({Op::DeleteFile, name})) return fail(faultError_);
    if (!files.erase(Key(name))) return fail(sys::ERROR_FILE_NOT_FOUND);
    return true;
}

sys::BOOL FakeKernel::DeviceIoControl(sys::Handle h, sys::DWORD code, void* in, sys::DWORD inSize, void* out,
                                      sys::DWORD outSize, sys::DWORD* bytesReturned) {
    Open* o = find(h);
    Call call{Op::DeviceIoControl, o ? o->name : "?", code, inSize, outSize};
    if (in) call.block.assign(static_cast<const std::uint8_t*>(in), static_cast<const std::uint8_t*>(in) + inSize);
    const bool hit = record(call);
    if (hit && !(fault_ == Fault::Carry && o && o->kind == Kind::Vwin32)) return fail(faultError_);
    if (!o) return fail(sys::ERROR_INVALID_HANDLE);
    if (o->kind == Kind::RawVolume) {
        if (code == sys::FSCTL_LOCK_VOLUME) return lockRefused ? fail(sys::ERROR_ACCESS_DENIED) : true;
        if (code == sys::FSCTL_DISMOUNT_VOLUME) return dismountRefused ? fail(sys::ERROR_INVALID_PARAMETER) : true;
        if (code == sys::IOCTL_DISK_GET_DRIVE_GEOMETRY) return driveGeometry(out, outSize, bytesReturned);
        return fail(sys::ERROR_INVALID_PARAMETER);
    }
    if (o->kind != Kind::Vwin32 || inSize != 28 || outSize != 28 || !in || !out ||
        (code != sys::VWIN32_DIOC_DOS_INT26 && code != sys::VWIN32_DIOC_DOS_IOCTL))
        return fail(sys::ERROR_INVALID_PARAMETER);
    std::uint32_t regs[7];
    std::memcpy(regs, in, sizeof regs);
    bool done;
    if (hit) {  // an injected carry: the service refused, nothing happened
        regs[3] = 0x001F;  // DOS "general failure"
        done = false;
    } else {
        done = code == sys::VWIN32_DIOC_DOS_IOCTL ? dosIoctl(regs) : int26(regs);
    }
    // The flags the service returns: interrupts enabled, carry as it ended.
    regs[6] = done ? 0x0202 : 0x0203;
    if (!done) calls.back().ok = false;
    std::memcpy(out, regs, sizeof regs);
    *bytesReturned = 28;
    lastError_ = sys::NO_ERROR;
    return true;
}

// Generic block device request 440Dh, category 08h, for drive A: (BL = 1):
// lock (4Ah) and unlock (6Ah) at level 0 (BH = 0), and the device parameters
// (60h). Anything else is refused.
bool FakeKernel::dosIoctl(std::uint32_t (&regs)[7]) {
    const std::uint32_t minor = regs[2];
    if ((regs[3] & 0xFFFF) == 0x440D && regs[0] == 0x0001 && minor == 0x0860) return deviceParameters(regs);
    if ((regs[3] & 0xFFFF) != 0x440D || regs[0] != 0x0001 || regs[1] != 0 || (minor != 0x084A && minor != 0x086A)) {
        regs[3] = 0x0001;  // invalid function
        return false;
    }
    if (minor == 0x084A) {
        if (lockRefused) {
            regs[3] = 0x0005;  // access denied
            return false;
        }
        volumeLocked = true;
        return true;
    }
    if (!volumeLocked) {
        regs[3] = 0x0001;
        return false;
    }
    volumeLocked = false;
    return true;
}

// The DOS absolute disk write in its direct register form.
bool FakeKernel::int26(std::uint32_t (&regs)[7]) {
    const std::uint32_t ebx = regs[0], edx = regs[1], ecx = regs[2], eax = regs[3];
    const bool pointsAtBuffer =
        transferBuffer && ebx == static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(transferBuffer));
    std::optional<std::uint32_t> error = int26Error;
    if (!error && writeProtected) error = 0x0300;                  // write-protected
    if (!error && !disketteInserted) error = 0x8002;              // not ready
    if (!error && (!pointsAtBuffer || (eax & 0xFF) != 0 || std::size_t{edx} + ecx > drive.size() / 512))
        error = 0x0408;  // sector not found
    if (error) {
        regs[3] = *error;
        return false;
    }
    std::memcpy(drive.data() + std::size_t{edx} * 512, transferBuffer, std::size_t{ecx} * 512);
    regs[3] = int26LeftEax;
    return true;
}

sys::BOOL FakeKernel::driveGeometry(void* out, sys::DWORD outSize, sys::DWORD* bytesReturned) {
    if (geometryError != sys::NO_ERROR) return fail(geometryError);
    if (!out || outSize < sizeof(sys::DiskGeometry)) return fail(sys::ERROR_INVALID_PARAMETER);
    sys::DiskGeometry g{};
    g.TracksPerCylinder = 2;
    g.SectorsPerTrack = 18;
    g.BytesPerSector = 512;
    g.Cylinders = static_cast<std::int64_t>(drive.size() / (2 * 18 * 512));
    g.MediaType = 2;  // F3_1Pt44_512
    std::memcpy(out, &g, sizeof g);
    *bytesReturned = sizeof g;
    return true;
}

// INT 21h 440Dh 0860h: the device parameters of drive A: into the block at
// EDX, those of the medium in it when the block's first byte asks for them,
// else those of the drive's own (1.44 MB) kind.
bool FakeKernel::deviceParameters(std::uint32_t (&regs)[7]) {
    const bool pointsAtBuffer =
        transferBuffer && regs[1] == static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(transferBuffer));
    if (!pointsAtBuffer) {
        regs[3] = 0x0001;  // invalid function
        return false;
    }
    if (deviceParametersError != 0) {
        regs[3] = deviceParametersError;
        return false;
    }
    auto* block = const_cast<std::uint8_t*>(transferBuffer);
    const std::size_t sectors = (block[0] & 1) ? drive.size() / 512 : DriveSectors;
    const auto put = [block](std::size_t at, std::uint32_t value, std::size_t bytes) {
        for (std::size_t i = 0; i < bytes; ++i) block[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    };
    put(7, 512, 2);
    put(15, sectors < 0x10000 ? static_cast<std::uint32_t>(sectors) : 0, 2);
    put(28, static_cast<std::uint32_t>(sectors), 4);
    return true;
}

sys::BOOL FakeKernel::CreateProcessA(const char* application, char* commandLine, sys::BOOL inheritHandles,
                                     sys::DWORD creationFlags, const sys::StartupInfo& startup,
                                     sys::ProcessInformation* info) {
    Call call{Op::CreateProcess, application ? application : "", inheritHandles, creationFlags};
    call.text = commandLine ? commandLine : "";
    const auto* raw = reinterpret_cast<const std::uint8_t*>(&startup);
    call.block.assign(raw, raw + sizeof startup);
    if (record(call)) return fail(faultError_);
    if (!files.count(Key(application ? application : ""))) return fail(sys::ERROR_FILE_NOT_FOUND);
    info->hProcess = next_++;
    open_[info->hProcess] = {Kind::Process, "process"};
    info->hThread = next_++;
    open_[info->hThread] = {Kind::Process, "thread"};
    return true;
}

sys::BOOL FakeKernel::GetVersionExA(sys::OsVersionInfo* info) {
    if (record({Op::GetVersionEx, "", info->dwOSVersionInfoSize})) return fail(faultError_);
    if (!platformId || info->dwOSVersionInfoSize != sizeof(sys::OsVersionInfo))
        return fail(sys::ERROR_INVALID_PARAMETER);
    info->dwPlatformId = *platformId;
    info->dwMajorVersion = *platformId == sys::VER_PLATFORM_WIN32_WINDOWS ? 4 : 5;
    return true;
}

}  // namespace fakes
