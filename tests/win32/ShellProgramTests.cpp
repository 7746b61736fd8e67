// The real program, DorvaneShell.exe, started as a process of its own in a
// folder that holds a regeneration image, and driven from outside through its
// windows: the whole Create Diskette run onto drive A: (the image and folder
// that cmake/wine-run.sh maps), and the write error on a diskette that cannot
// be written. Also what the build put into the file: version, icon, manifest.
#include <cstdlib>
#include <string>

#include "app/MainForm.h"
#include "media/ImageLayout.h"
#include "tests/fakes/FakeKernel.h"
#include "tests/fakes/FakeShell.h"
#include "tests/fakes/TestBackend.h"
#include "tests/win32/DriveA.h"
#include "tests/win32/Processes.h"
#include "tests/win32/TestFiles.h"
#include "platform/win32/MenuBinding.h"
#include "platform/windows/WinApi.h"

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;
using wintest::Bytes;

std::string programPath() {
    const char* chosen = std::getenv("DORVANE_SHELL_EXE");
    return wintest::windowsPath(chosen && *chosen ? chosen : DORVANE_SHELL_EXE);
}

// The command id that the program's menu bar gives Create Diskette: the same
// code builds the same menu from the same form description.
UINT createDisketteCommand() {
    fakes::FakeKernel kernel;
    fakes::FakeShell shell;
    fakes::FakeLocale locale;
    sys::Services services{kernel, shell, locale};
    fakes::TestBackend backend;
    forms::Application app(backend);
    TForm1 form(app, services);
    const win32::MenuBinding bar(*form.menu());
    return bar.idOf(form.CreateDiskette2);
}

struct Search {
    DWORD process;
    const char* className;
    const char* text;
    HWND found;
};

BOOL CALLBACK matchTopLevel(HWND hwnd, LPARAM data) {
    auto* s = reinterpret_cast<Search*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    char name[64] = {};
    GetClassNameA(hwnd, name, sizeof name);
    if (owner != s->process || std::string(name) != s->className) return TRUE;
    s->found = hwnd;
    return FALSE;
}

// A shown child window whose text begins with `text`. The text is asked of
// the window itself: an edit control of another process keeps its own.
BOOL CALLBACK matchChild(HWND hwnd, LPARAM data) {
    auto* s = reinterpret_cast<Search*>(data);
    char text[256] = {};
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                        &copied);
    if (!IsWindowVisible(hwnd) || std::string(text).rfind(s->text, 0) != 0) return TRUE;
    s->found = hwnd;
    return FALSE;
}

class ShellProgram : public ::testing::Test {
protected:
    std::unique_ptr<wintest::MappedDriveA> drive = wintest::MappedDriveA::fromEnvironment();
    wintest::TempFolder work;
    Bytes image = wintest::numberedImage(1408);
    PROCESS_INFORMATION process{};

    void SetUp() override {
        if (!drive) GTEST_SKIP() << "drive A: is not mapped for this run; start it through cmake/wine-run.sh";
        ASSERT_TRUE(drive->reset(Bytes(1474560, 0)));
        ASSERT_TRUE(wintest::writeFile(work / "Dsck.tr", image));
    }

    void TearDown() override {
        if (!process.hProcess) return;
        if (HWND main = topLevel("TForm1")) PostMessageA(main, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process.hProcess, 15000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }

    void start() {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        const std::string exe = programPath();
        ASSERT_TRUE(CreateProcessA(exe.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, work.path().c_str(),
                                   &startup, &process))
            << exe << ": error " << GetLastError();
        ASSERT_TRUE(wintest::waitUntil([&] { return topLevel("TForm1") && IsWindowVisible(topLevel("TForm1")); }, 30s))
            << "the main window did not appear";
    }

    HWND topLevel(const char* className) const {
        Search s{process.dwProcessId, className, nullptr, nullptr};
        EnumWindows(matchTopLevel, reinterpret_cast<LPARAM>(&s));
        return s.found;
    }

    HWND shownChild(HWND parent, const char* text) const {
        Search s{0, nullptr, text, nullptr};
        EnumChildWindows(parent, matchChild, reinterpret_cast<LPARAM>(&s));
        return s.found;
    }

    // Create Diskette from the menu, OK, then Continue; returns the dialog.
    HWND runCreateDiskette() {
        PostMessageA(topLevel("TForm1"), WM_COMMAND, MAKEWPARAM(createDisketteCommand(), 0), 0);
        HWND dialog = nullptr;
        EXPECT_TRUE(wintest::waitUntil(
            [&] { return (dialog = topLevel("TForm2")) && IsWindowVisible(dialog) && shownChild(dialog, "OK"); }, 10s));
        if (!dialog) return nullptr;
        SendMessageA(shownChild(dialog, "OK"), BM_CLICK, 0, 0);
        HWND proceed = shownChild(dialog, "Continue");
        EXPECT_NE(proceed, nullptr);
        // Posted: the handler runs the whole write before it returns.
        PostMessageA(proceed, BM_CLICK, 0, 0);
        return dialog;
    }

    Bytes folderFile(const char* name) const {
        Bytes content;
        wintest::readFile(drive->folder() + "\\" + name, content);
        return content;
    }
};

TEST_F(ShellProgram, CreateDisketteRebuildsTheRawAreaAndCopiesBothFiles) {
    start();
    HWND dialog = runCreateDiskette();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(
        wintest::waitUntil([&] { return shownChild(dialog, "Bootable Regenerating Diskette") != nullptr; }, 60s))
        << (shownChild(dialog, "Disk Write Error!") ? "the run failed" : "the run did not end");

    Bytes disk;
    ASSERT_TRUE(wintest::readFile(drive->image(), disk));
    ASSERT_EQ(disk.size(), 1474560u);
    for (const media::RunPlacement& p : media::RawAreaPlacements)
        for (int i = 0; i < p.image.count(); ++i)
            ASSERT_EQ(wintest::sectorOf(disk, p.disketteSector + i), wintest::sectorOf(image, p.image.first + i))
                << "diskette sector " << p.disketteSector + i;
    // Only the raw area is written by sector number.
    for (int s : {788, 1000, 2879}) EXPECT_EQ(wintest::sectorOf(disk, s), Bytes(512, 0)) << "sector " << s;

    EXPECT_EQ(folderFile("Dsck.tr"), image);
    Bytes program;
    for (const media::SectorRun& run : media::ConsoleProgramRuns)
        for (int s = run.first; s <= run.last; ++s) {
            const Bytes sector = wintest::sectorOf(image, s);
            program.insert(program.end(), sector.begin(), sector.end());
        }
    EXPECT_EQ(folderFile("zelkor.exe"), program);

    // OK hides the dialog; closing the main window ends the program with 0.
    SendMessageA(shownChild(dialog, "OK"), BM_CLICK, 0, 0);
    EXPECT_FALSE(IsWindowVisible(dialog));
    PostMessageA(topLevel("TForm1"), WM_CLOSE, 0, 0);
    ASSERT_EQ(WaitForSingleObject(process.hProcess, 15000), WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    EXPECT_EQ(code, 0u);
}

TEST_F(ShellProgram, ADisketteThatCannotBeWrittenEndsInTheWriteError) {
    if (!drive->useReadOnlyImage(true)) GTEST_SKIP() << "this run has no read-only diskette image";
    start();
    HWND dialog = runCreateDiskette();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(wintest::waitUntil([&] { return shownChild(dialog, "Disk Write Error!") != nullptr; }, 60s));
    EXPECT_NE(shownChild(dialog, "Abort"), nullptr);
    EXPECT_EQ(shownChild(dialog, "Bootable"), nullptr);
    // Nothing was written: the raw access was refused first.
    EXPECT_FALSE(wintest::fileExists(drive->folder() + "\\Dsck.tr"));
    EXPECT_FALSE(wintest::fileExists(drive->folder() + "\\zelkor.exe"));
    SendMessageA(shownChild(dialog, "Abort"), BM_CLICK, 0, 0);
    EXPECT_FALSE(IsWindowVisible(dialog));
}

// ---- What the build put into the program file ----

std::string versionString(const Bytes& info, const char* name) {
    char* value = nullptr;
    UINT length = 0;
    const std::string path = std::string("\\StringFileInfo\\040904E4\\") + name;
    if (!VerQueryValueA(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) || !value) return "";
    return value;
}

TEST(ShellProgramFile, CarriesItsVersionIconAndManifest) {
    const std::string exe = programPath();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(exe.c_str(), &ignored);
    ASSERT_GT(size, 0u) << exe;
    Bytes info(size);
    ASSERT_TRUE(GetFileVersionInfoA(exe.c_str(), 0, size, info.data()));
    EXPECT_EQ(versionString(info, "ProductName"), "Dorvane Shell");
    EXPECT_EQ(versionString(info, "ProductVersion"), "1.32");
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(32, 1));

    HMODULE file = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(file, nullptr);
    HICON icon = static_cast<HICON>(LoadImageA(file, MAKEINTRESOURCEA(1), IMAGE_ICON, 32, 32, 0));
    EXPECT_NE(icon, nullptr);
    if (icon) DestroyIcon(icon);
    HRSRC found = FindResourceA(file, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_NE(found, nullptr);
    const auto* text = static_cast<const char*>(LockResource(LoadResource(file, found)));
    const std::string manifest(text, SizeofResource(file, found));
    for (const char* wanted : {"Microsoft.Windows.Common-Controls", "requireAdministrator", "dpiAware"})
        EXPECT_NE(manifest.find(wanted), std::string::npos) << wanted;
    FreeLibrary(file);
}

}  // namespace
