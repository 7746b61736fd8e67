// Opens documents and addresses with the desktop's handler, as ShellExecute
// does on Windows: the handler program (xdg-open unless told otherwise) gets
// the address as its one argument and runs on its own; the caller never
// waits for it. Parameters and the show command mean nothing to a document
// handler and are ignored; a folder, when given, is the handler's working
// directory.
//
// A handler that starts and then exits with a non-zero status (xdg-open
// finding no program for the address) is a failure the caller hears of
// later: its end is noted by the thread that reaps it, `endedHandlers()`
// becomes readable, and `collectEndedHandlers()`, on the user-interface
// thread, tells the watcher.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/shell.h"

namespace posix {

class PosixShell final : public sys::Shell {
public:
    // `handler` is looked up on PATH unless it contains a '/'.
    explicit PosixShell(std::string handler = "xdg-open");

    std::intptr_t ShellExecuteA(const char* verb, const char* file, const char* parameters, const char* directory,
                                int showCommand) override;
    void WatchHandlers(std::function<void(const std::string& file)> failed) override;

    // A descriptor that is readable while ended handlers wait to be collected.
    int endedHandlers() const;
    // Tells the watcher of each handler that failed since the last call.
    void collectEndedHandlers();

    struct Ended;  // shared with the threads that reap the handlers

private:
    std::string handler_;
    std::shared_ptr<Ended> ended_;
    std::function<void(const std::string&)> failed_;
};

}  // namespace posix
