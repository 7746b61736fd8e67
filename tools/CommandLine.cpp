#include "tools/CommandLine.h"

#include <charconv>
#include <optional>

#include "tools/SampleImage.h"

namespace sample {
namespace {

std::optional<std::int32_t> parseSectorCount(std::string_view text) {
    std::int64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    if (value < MinimumImageSectors || value > MaximumImageSectors) return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::string sectorRange() {
    return std::to_string(MinimumImageSectors) + " to " + std::to_string(MaximumImageSectors);
}

}  // namespace

std::string usageText() {
    return "usage: dsck-sample [--sectors N] [--out PATH]\n"
           "       dsck-sample --blank-diskette PATH\n"
           "\n"
           "Writes a sample regeneration image (default: " +
           std::to_string(DefaultImageSectors) + " sectors to \"Dsck.tr\"; N from " + sectorRange() +
           "),\n"
           "or a blank formatted 1.44 MB FAT12 diskette image.\n";
}

CommandLine readCommandLine(const std::vector<std::string>& args) {
    CommandLine result;
    std::optional<std::int32_t> sectors;
    std::optional<std::filesystem::path> out;
    std::optional<std::filesystem::path> blank;
    const auto fail = [&](std::string message) {
        result.action = CommandLine::Action::Misuse;
        result.error = std::move(message);
        return result;
    };

    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view option = args[i];
        std::optional<std::string_view> value;
        if (const auto eq = option.find('='); option.starts_with("--") && eq != std::string_view::npos) {
            value = option.substr(eq + 1);
            option = option.substr(0, eq);
        }
        if (option == "--help" || option == "-h") {
            result.action = CommandLine::Action::Help;
            return result;
        }
        if (option != "--sectors" && option != "--out" && option != "--blank-diskette") {
            if (option.starts_with("-")) return fail("unknown option '" + std::string(option) + "'");
            return fail("unexpected argument '" + std::string(option) + "'");
        }
        if (!value) {
            if (i + 1 == args.size()) return fail(std::string(option) + " needs a value");
            value = args[++i];
        }
        if (option == "--sectors") {
            if (sectors) return fail("--sectors given twice");
            sectors = parseSectorCount(*value);
            if (!sectors)
                return fail("--sectors needs a whole number from " + sectorRange() + ", not '" +
                            std::string(*value) + "'");
        } else {
            auto& target = option == "--out" ? out : blank;
            if (target) return fail(std::string(option) + " given twice");
            if (value->empty()) return fail(std::string(option) + " needs a file name");
            target = std::filesystem::path(*value);
        }
    }

    if (blank) {
        if (sectors || out) return fail("--blank-diskette takes no other option");
        result.action = CommandLine::Action::WriteBlankDiskette;
        result.out = *blank;
        return result;
    }
    result.action = CommandLine::Action::WriteImage;
    result.sectors = sectors.value_or(DefaultImageSectors);
    result.out = out.value_or("Dsck.tr");
    return result;
}

}  // namespace sample
