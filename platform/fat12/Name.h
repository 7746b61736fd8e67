// The 8.3 short names of FAT directory entries, and volume labels, which
// take the same characters.
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace fat12 {

using ShortName = std::array<char, 11>;

// "Dsck.tr" -> "DSCK    TR ": upper-cased, base and extension padded with
// blanks. Empty for anything that is not a plain 8.3 name (no long names are
// written, so such a name could not be stored faithfully).
std::optional<ShortName> toShortName(std::string_view name);

// "Dorvane" -> "DORVANE    ": up to 11 name characters, upper-cased, blanks
// allowed inside but not first, padded with blanks. Empty for anything else,
// the empty label included.
std::optional<ShortName> toVolumeLabel(std::string_view label);

// Directory entries compare without regard to case, as DOS and Windows do.
bool sameShortName(const ShortName& a, const char* entryName);

}  // namespace fat12
