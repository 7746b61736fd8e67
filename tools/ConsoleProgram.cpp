#include "tools/ConsoleProgram.h"

#include <stdexcept>
#include <string>

#include "media/ImageLayout.h"
#include "tools/AssembledPrograms.h"

namespace sample {

std::uint32_t mzAnnouncedSize(const std::vector<std::uint8_t>& exe) {
    if (exe.size() < 28 || exe[0] != 'M' || exe[1] != 'Z') return 0;
    const auto word = [&](std::size_t at) { return static_cast<std::uint32_t>(exe[at] | exe[at + 1] << 8); };
    const std::uint32_t lastPageBytes = word(2);
    const std::uint32_t pages = word(4);
    if (pages == 0) return 0;
    return lastPageBytes == 0 ? pages * 512 : (pages - 1) * 512 + lastPageBytes;
}

std::vector<std::uint8_t> buildConsoleProgram() {
    const auto head = consoleProgramHead();
    std::vector<std::uint8_t> program(head.begin(), head.end());
    const auto wanted = static_cast<std::uint32_t>(media::ConsoleProgramBytes);
    if (mzAnnouncedSize(program) != wanted || program.size() > wanted)
        throw std::logic_error("console.S must announce and fit in " + std::to_string(wanted) + " bytes");
    program.resize(wanted, 0);
    return program;
}

}  // namespace sample
