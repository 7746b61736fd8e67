#include "tests/win32/TestFiles.h"

#include "platform/windows/WinApi.h"

namespace wintest {

std::string windowsPath(const std::string& path) {
    if (path.empty() || path[0] != '/') return path;
    // Wine exports the conversion from its kernel32.
    using ToDos = WCHAR*(CDECL*)(const char*);
    const FARPROC found = GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_dos_file_name");
    const auto toDos = reinterpret_cast<ToDos>(reinterpret_cast<void*>(found));
    if (!toDos) return path;
    WCHAR* wide = toDos(path.c_str());
    if (!wide) return path;
    char narrow[MAX_PATH * 4] = {};
    WideCharToMultiByte(CP_ACP, 0, wide, -1, narrow, sizeof narrow, nullptr, nullptr);
    HeapFree(GetProcessHeap(), 0, wide);
    return narrow;
}

bool readFile(const std::string& path, Bytes& out) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    const DWORD size = GetFileSize(h, nullptr);
    out.assign(size, 0);
    DWORD got = 0;
    const BOOL ok = size == 0 || ReadFile(h, out.data(), size, &got, nullptr);
    CloseHandle(h);
    return ok && got == size;
}

bool writeFile(const std::string& path, const Bytes& bytes) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD done = 0;
    const BOOL ok = bytes.empty() || WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
    CloseHandle(h);
    return ok && done == bytes.size();
}

bool fileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void removeTree(const std::string& path) {
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            const std::string full = path + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                removeTree(full);
            } else {
                SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(full.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

Bytes numberedImage(int sectors) {
    Bytes image(static_cast<std::size_t>(sectors) * 512);
    for (int s = 0; s < sectors; ++s) {
        std::uint8_t* p = image.data() + static_cast<std::size_t>(s) * 512;
        for (int i = 0; i < 512; ++i) p[i] = static_cast<std::uint8_t>((s * 7 + i) & 0xFF);
        for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>((s >> (8 * i)) & 0xFF);
    }
    return image;
}

Bytes sectorOf(const Bytes& image, int sector) {
    const auto at = static_cast<std::size_t>(sector) * 512;
    if (at + 512 > image.size()) return {};
    const auto begin = image.begin() + static_cast<std::ptrdiff_t>(at);
    return Bytes(begin, begin + 512);
}

TempFolder::TempFolder() {
    char base[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    for (unsigned attempt = 0; attempt < 1000 && path_.empty(); ++attempt) {
        const std::string candidate = std::string(base) + "dorvane-test-" + std::to_string(GetCurrentProcessId()) +
                                      "-" + std::to_string(GetTickCount() + attempt);
        if (CreateDirectoryA(candidate.c_str(), nullptr)) path_ = candidate;
    }
}

TempFolder::~TempFolder() {
    if (!path_.empty()) removeTree(path_);
}

}  // namespace wintest
