// Files and folders for the Windows-side tests: Linux paths as Wine's
// Windows paths, whole-file reads and writes, and temporary folders that the
// tests own and remove.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace wintest {

using Bytes = std::vector<std::uint8_t>;

// A Linux path as a Windows path under Wine; other paths unchanged.
std::string windowsPath(const std::string& path);

bool readFile(const std::string& path, Bytes& out);
bool writeFile(const std::string& path, const Bytes& bytes);
bool fileExists(const std::string& path);
// Deletes a folder and everything in it.
void removeTree(const std::string& path);

// An image whose every sector carries its own number: the first four bytes
// are the number, the rest a pattern of it, so that any misplaced sector is
// told apart.
Bytes numberedImage(int sectors);
Bytes sectorOf(const Bytes& image, int sector);

// A new empty folder under the system's temporary folder, removed with its
// contents when the object goes.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

}  // namespace wintest
