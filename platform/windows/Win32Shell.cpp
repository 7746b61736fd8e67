#include "platform/windows/Win32Shell.h"

#include <optional>
#include <string>

#include "platform/windows/Text.h"
#include "platform/windows/WinApi.h"

namespace win32 {

namespace {

// A null argument stays null: for the verb it means the default action.
std::optional<std::string> ansi(const char* utf8) {
    if (!utf8) return std::nullopt;
    return toAnsi(utf8);
}

const char* pointer(const std::optional<std::string>& s) { return s ? s->c_str() : nullptr; }

}  // namespace

std::intptr_t Win32Shell::ShellExecuteA(const char* verb, const char* file, const char* parameters,
                                        const char* directory, int showCommand) {
    const auto v = ansi(verb), f = ansi(file), p = ansi(parameters), d = ansi(directory);
    const HINSTANCE result = ::ShellExecuteA(nullptr, pointer(v), pointer(f), pointer(p), pointer(d), showCommand);
    return reinterpret_cast<std::intptr_t>(result);
}

char Win32Locale::DecimalSeparator() {
    char buffer[8] = {};
    if (::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, sizeof buffer) > 1) return buffer[0];
    return '.';
}

}  // namespace win32
