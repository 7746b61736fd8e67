// The shell's open-a-document call and the user's locale, with Win32 meaning.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

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

    // From now on `failed` hears, on the user-interface thread, of each
    // handler that ShellExecuteA started and that then ended in failure,
    // with the file it was given. Windows' ShellExecuteA learns nothing once
    // the handler runs, so there it is never called.
    virtual void WatchHandlers(std::function<void(const std::string& file)> failed) { (void)failed; }
};

class Locale {
public:
    virtual ~Locale() = default;
    // The user's decimal separator, as the framework's float-to-text uses it.
    virtual char DecimalSeparator() = 0;
};

}  // namespace sys
