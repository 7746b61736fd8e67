// dsck-sample: writes a sample regeneration image or a blank diskette image.
// See tools/CommandLine.h for the command line.

#include <cerrno>
#include <exception>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#include "tools/CommandLine.h"
#include "tools/SampleDiskette.h"
#include "tools/SampleImage.h"

namespace {

// Writes a file through `fill`; on failure reports it and leaves no partial
// regular file behind (a device such as /dev/full is left alone).
bool writeFile(const std::filesystem::path& path, const std::function<void(std::ostream&)>& fill) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        std::cerr << "dsck-sample: can't create " << path << ": " << std::generic_category().message(errno) << "\n";
        return false;
    }
    fill(out);
    out.close();
    if (out) return true;
    std::cerr << "dsck-sample: writing " << path << " failed: " << std::generic_category().message(errno) << "\n";
    std::error_code ec;
    if (std::filesystem::is_regular_file(path, ec)) std::filesystem::remove(path, ec);
    return false;
}

int run(const sample::CommandLine& o) {
    using Action = sample::CommandLine::Action;
    switch (o.action) {
    case Action::Help:
        std::cout << sample::usageText();
        return 0;
    case Action::Misuse:
        std::cerr << "dsck-sample: " << o.error << "\n\n" << sample::usageText();
        return 2;
    case Action::WriteBlankDiskette: {
        const std::vector<std::uint8_t> disk = sample::buildBlankDiskette();
        const bool ok = writeFile(o.out, [&](std::ostream& out) {
            out.write(reinterpret_cast<const char*>(disk.data()), static_cast<std::streamsize>(disk.size()));
        });
        if (ok) std::cout << "dsck-sample: wrote blank diskette " << o.out << " (" << disk.size() << " bytes)\n";
        return ok ? 0 : 1;
    }
    case Action::WriteImage: {
        const bool ok = writeFile(o.out, [&](std::ostream& out) { sample::writeImage(out, o.sectors); });
        if (ok) std::cout << "dsck-sample: wrote " << o.out << " (" << o.sectors << " sectors)\n";
        return ok ? 0 : 1;
    }
    }
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    const sample::CommandLine line = sample::readCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    try {
        return run(line);
    } catch (const std::exception& e) {
        std::cerr << "dsck-sample: " << e.what() << "\n";
        return 1;
    }
}
