// A shell that records what it was asked to open, and a fixed locale.
#pragma once

#include <functional>
#include <ostream>
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
    bool operator==(const ShellRequest&) const = default;
};

// An address handed over as the program hands a mail address: no verb, no
// parameters, no folder, shown normally.
inline ShellRequest AddressRequest(std::string address) {
    return {false, "", std::move(address), false, false, sys::SW_SHOWNORMAL};
}

inline void PrintTo(const ShellRequest& r, std::ostream* out) {
    *out << (r.hasVerb ? "\"" + r.verb + "\" " : "no verb ") << r.file << (r.hasParameters ? " parameters" : "")
         << (r.hasDirectory ? " folder" : "") << " show " << r.show;
}

class FakeShell : public sys::Shell {
public:
    std::vector<ShellRequest> requests;
    std::intptr_t answer = 42;  // above 32: success

    std::intptr_t ShellExecuteA(const char* verb, const char* file, const char* parameters, const char* directory,
                                int showCommand) override;

    void WatchHandlers(std::function<void(const std::string& file)> failed) override { failed_ = std::move(failed); }
    // The handler started for `file` ends in failure, as a watched one would tell.
    void handlerFails(const std::string& file) {
        if (failed_) failed_(file);
    }

private:
    std::function<void(const std::string&)> failed_;
};

class FakeLocale : public sys::Locale {
public:
    char separator = '.';
    char DecimalSeparator() override { return separator; }
};

}  // namespace fakes
