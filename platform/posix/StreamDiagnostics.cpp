#include "platform/posix/StreamDiagnostics.h"

namespace posix {

// A cause is told once: the next failure has its own.
std::string StreamDiagnostics::Failed(const std::string& what) {
    std::string line = "dorvane-shell: " + what;
    if (!cause_.empty()) line += ": " + cause_;
    line += '\n';
    std::fputs(line.c_str(), stream_);
    std::fflush(stream_);
    std::string shown;
    shown.swap(cause_);
    return shown;
}

}  // namespace posix
