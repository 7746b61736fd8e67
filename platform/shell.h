// The shell's open-a-document call and the user's locale, with Win32 meaning.
#pragma once

#include <cstdint>

namespace sys {

constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_RESTORE = 9;

class Shell {
public:
    virtual ~Shell() = default;
    // Hands `file` (a path or an address) to its registered handler and returns
    // without waiting for it. A null verb runs the handler's default action.
    // The owner window is always none. Returns a value above 32 on success.
    virtual std::intptr_t ShellExecuteA(const char* verb, const char* file, const char* parameters,
                                        const char* directory, int showCommand) = 0;
};

class Locale {
public:
    virtual ~Locale() = default;
    // The user's decimal separator, as the framework's float-to-text uses it.
    virtual char DecimalSeparator() = 0;
};

}  // namespace sys
