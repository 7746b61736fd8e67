#include "media/ConsoleLaunch.h"

#include "media/ImageLayout.h"
#include "media/RegenerationImage.h"

namespace media {

namespace {
sys::StartupInfo sizeOnly() {
    sys::StartupInfo s{};
    s.cb = sizeof s;
    return s;
}
}  // namespace

const sys::StartupInfo LaunchStartupInfo = sizeOnly();
unsigned char SectorBuffer[512] = {};

namespace {

constexpr const char* ProgramFile = "zelkor.exe";
constexpr const char* ProgramTemp = "zelkor.tmp";
constexpr const char* PifFile = "zelkor.pif";

constexpr const char* ImageUnusable =
    "Regeneration could not be started: the regeneration image Dsck.tr is missing, "
    "incomplete or in use by another program. It must lie in the folder the shell was "
    "started from.";
constexpr const char* ProgramNotWritten =
    "Regeneration could not be started: the console program zelkor.exe could not be "
    "written to the shell's folder. Check that the disk is not full or write-protected.";
constexpr const char* PifNotWritten =
    "Regeneration could not be started: the program information file zelkor.pif could "
    "not be written to the shell's folder. Check that the disk is not full or "
    "write-protected.";
constexpr const char* LaunchRefused =
    "Regeneration could not be started: Windows refused to start the console program "
    "zelkor.pif.";

enum class Presence { Absent, Present, Unknown };

Presence probe(sys::Kernel& kernel, const char* name) {
    // No access asked, so even a file that another program holds open counts.
    const sys::Handle h =
        kernel.CreateFileA(name, 0, sys::FILE_SHARE_READ | sys::FILE_SHARE_WRITE, sys::OPEN_EXISTING,
                           sys::FILE_ATTRIBUTE_NORMAL);
    if (h != sys::INVALID_HANDLE_VALUE) {
        kernel.CloseHandle(h);
        return Presence::Present;
    }
    switch (kernel.GetLastError()) {
    case sys::ERROR_FILE_NOT_FOUND: return Presence::Absent;
    case sys::ERROR_SHARING_VIOLATION:
    case sys::ERROR_ACCESS_DENIED: return Presence::Present;
    default: return Presence::Unknown;
    }
}

// Copies the runs sector by sector into a new file `name` (replacing it).
template <class Runs>
bool carve(sys::Kernel& kernel, RegenerationImage& image, const char* name, const Runs& runs) {
    const sys::Handle file =
        kernel.CreateFileA(name, sys::GENERIC_WRITE, 0, sys::CREATE_ALWAYS, sys::FILE_ATTRIBUTE_NORMAL);
    if (file == sys::INVALID_HANDLE_VALUE) return false;
    bool ok = true;
    for (const SectorRun& run : runs) {
        for (std::int32_t s = run.first; ok && s <= run.last; ++s) {
            sys::DWORD written = 0;
            ok = image.ReadSectors(s, 1, SectorBuffer) == SectorSize &&
                 kernel.WriteFile(file, SectorBuffer, SectorSize, &written) && written == SectorSize;
        }
    }
    return kernel.CloseHandle(file) && ok;
}

// A zelkor.exe, once there, is the one every later start runs, so it only
// ever appears complete: written under a temporary name, then moved into
// place without replacing whatever may have appeared meanwhile.
bool provideProgram(sys::Kernel& kernel, RegenerationImage& image) {
    switch (probe(kernel, ProgramFile)) {
    case Presence::Present: return true;
    case Presence::Unknown: return false;
    case Presence::Absent: break;
    }
    if (!carve(kernel, image, ProgramTemp, ConsoleProgramRuns)) {
        kernel.DeleteFileA(ProgramTemp);
        return false;
    }
    if (kernel.MoveFileA(ProgramTemp, ProgramFile)) return true;
    const sys::DWORD error = kernel.GetLastError();
    kernel.DeleteFileA(ProgramTemp);
    return error == sys::ERROR_ALREADY_EXISTS || error == sys::ERROR_FILE_EXISTS;
}

const char* prepareFiles(sys::Kernel& kernel) {
    RegenerationImage image(kernel);
    if (!image.Open()) return ImageUnusable;
    if (image.Size() < static_cast<std::int64_t>(MinimumImageSectors) * SectorSize) return ImageUnusable;
    if (!provideProgram(kernel, image)) return ProgramNotWritten;
    const SectorRun pif[] = {PifRun};
    if (!carve(kernel, image, PifFile, pif)) return PifNotWritten;
    return nullptr;
}  // the image closes here, before the launch

}  // namespace

void RunConsoleLaunch(sys::Kernel& kernel, forms::Application& app) {
    if (const char* failure = prepareFiles(kernel)) {
        app.MessageBox(failure, "Dorvane Shell", forms::MessageKind::Error);
        return;
    }
    char commandLine[] = "zelkor.pif";
    sys::StartupInfo startup = LaunchStartupInfo;
    sys::ProcessInformation info{};
    if (!kernel.CreateProcessA(PifFile, commandLine, false, 0, startup, &info)) {
        app.MessageBox(LaunchRefused, "Dorvane Shell", forms::MessageKind::Error);
        return;
    }
    // The shell neither waits for the console program nor watches it.
    kernel.CloseHandle(info.hProcess);
    kernel.CloseHandle(info.hThread);
}

}  // namespace media
