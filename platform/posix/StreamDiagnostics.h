// The Linux program's diagnostics: each failed operation is one line on a
// stream (standard error), "dorvane-shell: WHAT: CAUSE", and the same CAUSE
// is shown in the window. Nothing is written while nothing fails.
#pragma once

#include <cstdio>
#include <string>

#include "platform/diagnostics.h"

namespace posix {

class StreamDiagnostics final : public sys::Diagnostics {
public:
    explicit StreamDiagnostics(std::FILE* stream) : stream_(stream) {}

    void Cause(const std::string& text) override { cause_ = text; }
    std::string Failed(const std::string& what) override;

private:
    std::FILE* stream_;
    std::string cause_;
};

}  // namespace posix
