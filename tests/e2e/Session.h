// One run of the shell in a temporary working folder, with the real Linux
// services and a sample Dsck.tr and blank A.img beside it; no window is shown.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "tests/support/Peers.h"

namespace e2e {

namespace fs = std::filesystem;

class Session {
public:
    Session();
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    const fs::path& dir() const { return dir_.path(); }
    fs::path operator/(const std::string& name) const { return dir_ / name; }

    // Starts the shell in the folder, lets the platform tick come, and goes
    // Regeneration > Create Diskette > OK > Continue. Returns the state the
    // dialog ends in: "created", "write error" or "other".
    std::string createDiskette();

private:
    peers::TempDir dir_;
    fs::path previous_;
};

// The display number Xvfb started with `-displayfd 1` wrote to `log`: a
// line of digits, among the complaints it may log first (about displays
// other programs hold). Empty when none came in time.
std::string xvfbDisplayNumber(const fs::path& log, std::chrono::seconds timeout);

// The same, in a child process that sees `folder` read-only (as root sees a
// write-protected diskette). Returns the final state, or "" when the system
// gives no private mount namespace.
std::string createDisketteOnReadOnlyFolder(const fs::path& workingFolder, const fs::path& readOnlyFolder);

// A Create Diskette in `workingFolder` with the Linux services reporting
// as the Linux program's do: `drive` is what --drive names (empty: none),
// and the run happens in a child process that is `user` (uid, gid) when
// given, after `inChild` (when given) has prepared it (false: no run). The
// final state as above, and every diagnostic line of the run.
struct ExplainedRun {
    std::string state;  // "" when the child could not run
    std::string lines;
};
struct RunAs {
    uid_t uid;
    gid_t gid;
};
ExplainedRun createDisketteExplained(const fs::path& workingFolder, const std::string& drive,
                                     std::optional<RunAs> user = std::nullopt,
                                     const std::function<bool()>& inChild = {});

}  // namespace e2e
