#include "tools/SectorPattern.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <stdexcept>
#include <string>
#include <string_view>

#include "media/ImageLayout.h"

namespace sample {
namespace {

// One record is 32 bytes, so a sector holds sixteen of them and a hex dump
// shows one record per two lines: "DORVANE UNNAMED SECTOR 0000788  \r\n".
constexpr std::size_t RecordBytes = 32;
constexpr std::size_t NumberDigits = 7;

std::string_view tagText(SectorTag tag) {
    return tag == SectorTag::Unnamed ? "UNNAMED" : "FILE";
}

std::string_view prefix(SectorTag tag) {
    return tag == SectorTag::Unnamed ? "DORVANE UNNAMED SECTOR " : "DORVANE FILE SECTOR ";
}

std::array<std::uint8_t, RecordBytes> record(SectorTag tag, std::int32_t number) {
    std::string text{prefix(tag)};
    std::string digits = std::to_string(number);
    text.append(NumberDigits - digits.size(), '0');
    text += digits;
    text.resize(RecordBytes - 2, ' ');
    text += "\r\n";
    std::array<std::uint8_t, RecordBytes> out{};
    std::copy(text.begin(), text.end(), out.begin());
    return out;
}

void requireSector(std::size_t size) {
    if (size != static_cast<std::size_t>(media::SectorSize))
        throw std::invalid_argument("a sector is 512 bytes");
}

}  // namespace

void fillNumberedSector(std::span<std::uint8_t> sector, SectorTag tag, std::int32_t number) {
    requireSector(sector.size());
    if (number < 0 || number > MaximumNumberedSector)
        throw std::out_of_range("sector number " + std::to_string(number) + " has no " +
                                std::string(tagText(tag)) + " pattern");
    const auto one = record(tag, number);
    for (std::size_t at = 0; at < sector.size(); at += RecordBytes)
        std::copy(one.begin(), one.end(), sector.begin() + static_cast<std::ptrdiff_t>(at));
}

std::optional<std::int32_t> numberedSectorNumber(std::span<const std::uint8_t> sector, SectorTag tag) {
    requireSector(sector.size());
    const std::string_view head = prefix(tag);
    const std::string_view text(reinterpret_cast<const char*>(sector.data()), sector.size());
    if (!text.starts_with(head)) return std::nullopt;
    const char* digits = text.data() + head.size();
    std::int32_t number = 0;
    const auto [end, ec] = std::from_chars(digits, digits + NumberDigits, number);
    if (ec != std::errc{} || end != digits + NumberDigits || number < 0) return std::nullopt;

    const auto one = record(tag, number);
    for (std::size_t at = 0; at < sector.size(); at += RecordBytes)
        if (!std::equal(one.begin(), one.end(), sector.begin() + static_cast<std::ptrdiff_t>(at)))
            return std::nullopt;
    return number;
}

bool isUnnamedSector(std::span<const std::uint8_t> sector, std::int32_t number) {
    return numberedSectorNumber(sector, SectorTag::Unnamed) == number;
}

}  // namespace sample
