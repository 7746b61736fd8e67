// An in-memory kernel: a working folder of files, a drive A: (2,880 sectors
// unless a test gives it another size) with its own root folder, a log of every call with its arguments,
// a count of open handles, and a failure that can be injected at any call.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/kernel.h"

namespace fakes {

using Bytes = std::vector<std::uint8_t>;

enum class Op {
    CreateFile,
    SetFilePointer,
    ReadFile,
    WriteFile,
    CloseHandle,
    GetFileSize,
    MoveFile,
    DeleteFile,
    DeviceIoControl,
    CreateProcess,
    GetVersionEx,
};

struct Call {
    Call(Op o, std::string t, std::int64_t a_ = 0, std::int64_t b_ = 0, std::int64_t c_ = 0, std::int64_t d_ = 0)
        : op(o), target(std::move(t)), a(a_), b(b_), c(c_), d(d_) {}

    Op op;
    std::string target;     // the file or device the call is about
    std::int64_t a = 0;     // per op: access / distance / bytes asked / ioctl code
    std::int64_t b = 0;     // share mode / method / bytes done
    std::int64_t c = 0;     // disposition
    std::int64_t d = 0;     // flags and attributes
    Bytes block;            // DeviceIoControl input block; CreateProcess start-up record
    std::string text;       // CreateProcess command line; MoveFile target
    bool ok = true;
    // A readable form, e.g. `WriteFile(a:/Dsck.tr, 65536)`.
    std::string str() const;
};

// Fail: the call returns its failure. Short: a read or write moves fewer
// bytes than asked. Carry: a vwin32 DOS service call succeeds as a device
// call but returns the carry flag set and an error code in reg_EAX.
enum class Fault { Fail, Short, Carry };

class FakeKernel : public sys::Kernel {
public:
    static constexpr std::size_t DriveSectors = 2880;

    FakeKernel();

    // The working folder (names compare without regard to case, as on Windows).
    std::map<std::string, Bytes> files;
    std::set<std::string> folders;
    // Drive A:: its raw sectors (any whole number of them) and, separately,
    // the files of its root folder.
    Bytes drive;
    std::map<std::string, Bytes> disketteFiles;
    bool disketteInserted = true;
    bool writeProtected = false;
    std::size_t disketteFreeBytes = 1'071'104;
    bool lockRefused = false;
    bool dismountRefused = false;
    // Windows 9x: the vwin32 device exists. Its DOS services answer as
    // documented: a good call clears the carry flag and leaves reg_EAX
    // undefined (int26LeftEax, which a good INT 26h leaves there); a failed
    // one sets the carry flag and puts a DOS error code in reg_EAX.
    // lockRefused refuses the level-0 volume lock on this path too.
    bool hasVwin32 = false;
    std::uint32_t int26LeftEax = 0x00004E01;
    std::optional<std::uint32_t> int26Error;       // every INT 26h fails with this code
    // The raw volume's answer to the geometry request: NO_ERROR gives the
    // drive's size in tracks of 18 sectors on two heads; ERROR_NOT_SUPPORTED
    // is a drive backed by an image file (its size then comes from
    // GetFileSize), ERROR_NOT_READY an empty drive.
    sys::DWORD geometryError = sys::NO_ERROR;
    // The DOS error code of the device-parameters request (carry set), 0 to
    // answer with the medium's parameters.
    std::uint32_t deviceParametersError = 0;
    const std::uint8_t* transferBuffer = nullptr;  // what reg_EBX must point at
    bool volumeLocked = false;                     // drive A:'s level-0 lock is held
    // GetVersionExA's answer; nullopt = the call fails.
    std::optional<sys::DWORD> platformId = sys::VER_PLATFORM_WIN32_NT;
    // Files that other programs hold open: no opener gets them.
    std::set<std::string> lockedByOthers;
    // Files whose every read fails, as on a damaged medium.
    std::set<std::string> unreadable;

    std::vector<Call> calls;
    // Makes the call that will stand at calls[callIndex] fail, or come back
    // short (reads and writes).
    void injectAt(std::size_t callIndex, Fault fault = Fault::Fail, sys::DWORD error = sys::ERROR_WRITE_FAULT);
    int openHandles() const { return static_cast<int>(open_.size()); }
    std::vector<std::string> log() const;
    Bytes* file(const std::string& name);
    Bytes sector(std::size_t n) const;

    sys::Handle CreateFileA(const char* name, sys::DWORD access, sys::DWORD shareMode, sys::DWORD disposition,
                            sys::DWORD flags) override;
    sys::DWORD SetFilePointer(sys::Handle h, sys::LONG distance, sys::DWORD moveMethod) override;
    sys::BOOL ReadFile(sys::Handle h, void* buffer, sys::DWORD bytesToRead, sys::DWORD* bytesRead) override;
    sys::BOOL WriteFile(sys::Handle h, const void* buffer, sys::DWORD bytesToWrite, sys::DWORD* bytesWritten) override;
    sys::BOOL CloseHandle(sys::Handle h) override;
    sys::DWORD GetFileSize(sys::Handle h, sys::DWORD* sizeHigh) override;
    sys::BOOL MoveFileA(const char* from, const char* to) override;
    sys::BOOL DeleteFileA(const char* name) override;
    sys::DWORD GetLastError() override { return lastError_; }
    sys::BOOL DeviceIoControl(sys::Handle h, sys::DWORD code, void* in, sys::DWORD inSize, void* out,
                              sys::DWORD outSize, sys::DWORD* bytesReturned) override;
    sys::BOOL CreateProcessA(const char* application, char* commandLine, sys::BOOL inheritHandles,
                             sys::DWORD creationFlags, const sys::StartupInfo& startup,
                             sys::ProcessInformation* info) override;
    sys::BOOL GetVersionExA(sys::OsVersionInfo* info) override;

private:
    enum class Kind { File, RawVolume, Vwin32, DisketteFile, Process };
    struct Open {
        Kind kind;
        std::string name;
        bool exclusive = false;
        bool canRead = false;
        bool canWrite = false;
        std::size_t position = 0;
    };
    // The DOS services of vwin32 on the register block; false = carry set.
    bool dosIoctl(std::uint32_t (&regs)[7]);
    bool int26(std::uint32_t (&regs)[7]);
    // Logs the call; true when an injected fault hits it.
    bool record(Call call);
    bool fail(sys::DWORD error);
    sys::Handle invalid(sys::DWORD error);
    Bytes* storage(const Open& o);
    sys::BOOL driveGeometry(void* out, sys::DWORD outSize, sys::DWORD* bytesReturned);
    bool deviceParameters(std::uint32_t (&regs)[7]);
    Open* find(sys::Handle h);

    std::map<sys::Handle, Open> open_;
    sys::Handle next_ = 100;
    sys::DWORD lastError_ = 0;
    std::size_t callCount_ = 0;
    std::optional<std::size_t> faultAt_;
    Fault fault_ = Fault::Fail;
    sys::DWORD faultError_ = 0;
    bool faultHit_ = false;
};

std::string Key(const std::string& name);

}  // namespace fakes
