// Opens documents and addresses with the desktop's handler, as ShellExecute
// does on Windows: the handler program (xdg-open unless told otherwise) gets
// the address as its one argument and runs on its own; the caller never
// waits for it. Parameters and the show command mean nothing to a document
// handler and are ignored; a folder, when given, is the handler's working
// directory.
#pragma once

#include <cstdint>
#include <string>

#include "platform/shell.h"

namespace posix {

class PosixShell final : public sys::Shell {
public:
    // `handler` is looked up on PATH unless it contains a '/'.
    explicit PosixShell(std::string handler = "xdg-open");

    std::intptr_t ShellExecuteA(const char* verb, const char* file, const char* parameters, const char* directory,
                                int showCommand) override;

private:
    std::string handler_;
};

}  // namespace posix
