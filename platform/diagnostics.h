// Where a failed operation is explained to the user beyond its one message
// box. The services tell the cause of the failure they met (the path and the
// system's reason), the logic tells what failed; a sink joins the two into
// one line. The Linux program writes that line to standard error and shows
// the cause in the window; Windows and the fakes keep silent.
#pragma once

#include <string>

namespace sys {

class Diagnostics {
public:
    virtual ~Diagnostics() = default;
    // The cause of the failure just met; a later cause replaces it.
    virtual void Cause(const std::string& text) = 0;
    // An operation failed: one line, with the latest cause if there is one.
    // Returns that cause for the window to show beside the failure, or
    // nothing where this sink keeps the window as it is.
    virtual std::string Failed(const std::string& what) = 0;
};

class SilentDiagnostics final : public Diagnostics {
public:
    void Cause(const std::string&) override {}
    std::string Failed(const std::string&) override { return {}; }
};

// The sink of every build that tells nobody. It keeps no state.
inline Diagnostics& silentDiagnostics() {
    static SilentDiagnostics silent;
    return silent;
}

}  // namespace sys
