// The model's texts are UTF-8; the native side speaks the ANSI code page
// (the A functions, which every Windows version this program runs on has).
#pragma once

#include <string>

namespace win32 {

// UTF-8 to the ANSI code page; characters it lacks become its default one.
std::string toAnsi(const std::string& utf8);
// The ANSI code page back to UTF-8.
std::string fromAnsi(const std::string& ansi);

}  // namespace win32
