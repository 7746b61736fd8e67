// The Linux program's diagnostics: each failed operation is one line on a
// stream (standard error), "dorvane-shell: WHAT: CAUSE". Nothing is written
// while nothing fails.
#pragma once

#include <cstdio>
#include <string>

#include "platform/diagnostics.h"

namespace posix {

class StreamDiagnostics final : public sys::Diagnostics {
public:
    explicit StreamDiagnostics(std::FILE* stream) : stream_(stream) {}

    void Cause(const std::string& text) override { cause_ = text; }
    void Failed(const std::string& what) override;

private:
    std::FILE* stream_;
    std::string cause_;
};

}  // namespace posix
