#include "platform/windows/Text.h"

#include <algorithm>

#include "platform/windows/WinApi.h"

namespace win32 {

namespace {

bool plainAscii(const std::string& s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::wstring toWide(const std::string& s, UINT codePage) {
    const int n = MultiByteToWideChar(codePage, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) MultiByteToWideChar(codePage, 0, s.data(), static_cast<int>(s.size()), wide.data(), n);
    return wide;
}

std::string fromWide(const std::wstring& w, UINT codePage) {
    const int n =
        WideCharToMultiByte(codePage, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) WideCharToMultiByte(codePage, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
    return s;
}

}  // namespace

// ASCII is the same in both, and Windows versions without UTF-8 support in
// their conversion functions still get every English text right.
std::string toAnsi(const std::string& utf8) {
    if (plainAscii(utf8)) return utf8;
    return fromWide(toWide(utf8, CP_UTF8), CP_ACP);
}

std::string fromAnsi(const std::string& ansi) {
    if (plainAscii(ansi)) return ansi;
    return fromWide(toWide(ansi, CP_ACP), CP_UTF8);
}

}  // namespace win32
