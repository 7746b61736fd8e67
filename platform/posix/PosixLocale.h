// The user's number format, from the locale that the environment selects
// (LC_ALL, LC_NUMERIC, LANG), whatever locale the process itself runs in.
#pragma once

#include "platform/shell.h"

namespace posix {

class PosixLocale final : public sys::Locale {
public:
    char DecimalSeparator() override;
};

}  // namespace posix
