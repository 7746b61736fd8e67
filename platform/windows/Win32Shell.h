// The shell's open-a-document call and the user's locale on Windows.
#pragma once

#include "platform/shell.h"

namespace win32 {

// ShellExecuteA with no owner window. The model's UTF-8 texts reach it in the
// ANSI code page, as every other text of this program reaches Windows.
class Win32Shell final : public sys::Shell {
public:
    std::intptr_t ShellExecuteA(const char* verb, const char* file, const char* parameters,
                                const char* directory, int showCommand) override;
};

// The decimal separator of the user's locale (GetLocaleInfoA, LOCALE_SDECIMAL).
class Win32Locale final : public sys::Locale {
public:
    char DecimalSeparator() override;
};

}  // namespace win32
