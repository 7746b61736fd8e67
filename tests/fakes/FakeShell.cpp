#include "tests/fakes/FakeShell.h"

namespace fakes {

std::intptr_t FakeShell::ShellExecuteA(const char* verb, const char* file, const char* parameters,
                                       const char* directory, int showCommand) {
    requests.push_back({verb != nullptr, verb ? verb : "", file ? file : "", parameters != nullptr,
                        directory != nullptr, showCommand});
    return answer;
}

}  // namespace fakes
