#include "platform/fat12/Name.h"

#include <string_view>

namespace fat12 {
namespace {

bool isShortNameChar(char c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return true;
    return std::string_view("!#$%&'()-@^_`{}~").find(c) != std::string_view::npos;
}

char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool fill(std::string_view part, char* out, std::size_t width) {
    if (part.size() > width) return false;
    for (std::size_t i = 0; i < width; ++i) {
        if (i < part.size()) {
            if (!isShortNameChar(part[i])) return false;
            out[i] = upper(part[i]);
        } else {
            out[i] = ' ';
        }
    }
    return true;
}

}  // namespace

std::optional<ShortName> toShortName(std::string_view name) {
    const auto dot = name.find('.');
    std::string_view base = name.substr(0, dot);
    std::string_view extension;
    if (dot != std::string_view::npos) {
        extension = name.substr(dot + 1);
        if (extension.find('.') != std::string_view::npos) return std::nullopt;
    }
    ShortName result{};
    if (base.empty() || !fill(base, result.data(), 8) || !fill(extension, result.data() + 8, 3)) return std::nullopt;
    return result;
}

std::optional<ShortName> toVolumeLabel(std::string_view label) {
    ShortName result{};
    if (label.empty() || label.size() > result.size() || label.front() == ' ') return std::nullopt;
    result.fill(' ');
    for (std::size_t i = 0; i < label.size(); ++i) {
        if (label[i] != ' ' && !isShortNameChar(label[i])) return std::nullopt;
        result[i] = upper(label[i]);
    }
    return result;
}

bool sameShortName(const ShortName& a, const char* entryName) {
    for (std::size_t i = 0; i < a.size(); ++i)
        if (upper(a[i]) != upper(entryName[i])) return false;
    return true;
}

}  // namespace fat12
