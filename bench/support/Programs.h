// Runs another program the way a user's shell would, without a shell in
// between: found on PATH, waited for.
#pragma once

#include <string>
#include <vector>

namespace bench {

// The exit status, or -1 when the program could not be started or did not
// exit normally. Its output goes to `output` (created or truncated).
int runProgram(const std::vector<std::string>& argv, const std::string& output = "/dev/null");

}  // namespace bench
