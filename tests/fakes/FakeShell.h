// A shell that records what it was asked to open, and a fixed locale.
#pragma once

#include <string>
#include <vector>

#include "platform/shell.h"

namespace fakes {

struct ShellRequest {
    bool hasVerb;
    std::string verb;
    std::string file;
    bool hasParameters;
    bool hasDirectory;
    int show;
};

class FakeShell : public sys::Shell {
public:
    std::vector<ShellRequest> requests;
    std::intptr_t answer = 42;  // above 32: success

    std::intptr_t ShellExecuteA(const char* verb, const char* file, const char* parameters, const char* directory,
                                int showCommand) override;
};

class FakeLocale : public sys::Locale {
public:
    char separator = '.';
    char DecimalSeparator() override { return separator; }
};

}  // namespace fakes
