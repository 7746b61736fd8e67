#include "platform/posix/PosixLocale.h"

#include <clocale>
#include <cstring>
#include <langinfo.h>
#include <locale.h>

namespace posix {

// A locale object of our own, so the process's locale is never touched (and
// no other thread sees it change).
char PosixLocale::DecimalSeparator() {
    const locale_t user = ::newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
    if (user == static_cast<locale_t>(nullptr)) return '.';
    const char* point = ::nl_langinfo_l(RADIXCHAR, user);
    // A separator that is not one byte (some locales use a multibyte sign)
    // cannot be given as a char; the C locale's point stands in.
    const char separator = point != nullptr && std::strlen(point) == 1 ? point[0] : '.';
    ::freelocale(user);
    return separator;
}

}  // namespace posix
