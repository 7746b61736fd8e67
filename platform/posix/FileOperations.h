// Renaming and deleting plain files, with Win32 results: a rename never
// replaces its target, and neither touches a file that a handle holds open.
#pragma once

#include "platform/kernel.h"

namespace posix {

sys::DWORD moveFile(const char* from, const char* to);
sys::DWORD deleteFile(const char* name);

}  // namespace posix
