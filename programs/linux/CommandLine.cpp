#include "programs/linux/CommandLine.h"

#include <QCommandLineParser>
#include <QStringList>
#include <array>
#include <string_view>

namespace linuxprogram {
namespace {

constexpr std::string_view ImageName = "Dsck.tr";

// Qt's own options, which QApplication reads from the same argv: those that
// take a value, then those that stand alone.
constexpr std::array<std::string_view, 14> QtValueOptions = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "qwindowicon", "qwindowtitle",
    "display",  "geometry",           "title",         "name",   "style",           "stylesheet",  "session"};
constexpr std::array<std::string_view, 5> QtFlagOptions = {"reverse", "nograb", "dograb", "sync", "widgetcount"};

template <std::size_t N>
bool contains(const std::array<std::string_view, N>& names, std::string_view name) {
    for (std::string_view n : names)
        if (n == name) return true;
    return false;
}

// "-platform" or "--platform" as "platform", with what follows a '='.
std::string_view optionName(std::string_view arg, bool& hasInlineValue) {
    std::string_view name = arg.substr(arg.rfind("--", 0) == 0 ? 2 : 1);
    const auto equals = name.find('=');
    hasInlineValue = equals != std::string_view::npos;
    return name.substr(0, equals);
}

}  // namespace

CommandLine readCommandLine(const std::vector<std::string>& args) {
    CommandLine result;
    QStringList ours{QStringLiteral("dorvane-shell")};
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() < 2 || arg[0] != '-' || arg == "--") {
            ours << QString::fromStdString(arg);
            continue;
        }
        bool inlineValue = false;
        const std::string_view name = optionName(arg, inlineValue);
        if (contains(QtValueOptions, name)) {
            if (!inlineValue && i + 1 >= args.size()) {
                result.action = CommandLine::Action::Misuse;
                result.error = "missing value after " + arg;
                return result;
            }
            result.platformGiven = result.platformGiven || name == "platform";
            result.displayGiven = result.displayGiven || name == "display";
            if (!inlineValue) ++i;
        } else if (!contains(QtFlagOptions, name)) {
            ours << QString::fromStdString(arg);
        }
    }

    QCommandLineParser parser;
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, {});
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")}, {});
    const QCommandLineOption drive(QStringLiteral("drive"), {}, QStringLiteral("PATH"));
    parser.addOptions({help, version, drive});
    if (!parser.parse(ours)) {
        result.action = CommandLine::Action::Misuse;
        result.error = parser.errorText().toStdString();
        return result;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        result.action = CommandLine::Action::Misuse;
        result.error = "unexpected argument: " + files[1].toStdString();
        return result;
    }
    if (!files.isEmpty()) {
        result.image = files.first().toStdString();
        const auto slash = result.image.find_last_of('/');
        const std::string name = slash == std::string::npos ? result.image : result.image.substr(slash + 1);
        if (name != ImageName) {
            result.action = CommandLine::Action::Misuse;
            result.error = "only a regeneration image named " + std::string(ImageName) + " is read, not " + result.image;
            return result;
        }
    }
    if (parser.isSet(drive)) {
        result.drive = parser.value(drive).toStdString();
        if (result.drive.empty()) {
            result.action = CommandLine::Action::Misuse;
            result.error = "--drive needs a path";
            return result;
        }
    }
    if (parser.isSet(help))
        result.action = CommandLine::Action::Help;
    else if (parser.isSet(version))
        result.action = CommandLine::Action::Version;
    return result;
}

std::string folderOf(const std::string& image) {
    const auto slash = image.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : image.substr(0, slash);
}

std::string usageText() {
    return "Usage: dorvane-shell [--drive PATH] [FOLDER/Dsck.tr] [Qt options such as -platform NAME or -display DISPLAY]\n"
           "\n"
           "Dorvane Shell writes a bootable regenerating diskette to drive A: from the\n"
           "regeneration image Dsck.tr in the working folder, explains the product and\n"
           "collects feedback by mail. Given the path of a Dsck.tr, it works in that\n"
           "file's folder instead; no other file name is read.\n"
           "\n"
           "Options:\n"
           "  -h, --help       show this help and exit\n"
           "  -v, --version    show the version and exit\n"
           "  --drive PATH     drive A:: a 1.44 MB diskette image file or a floppy's\n"
           "                   block device, such as /dev/fd0 or /dev/sdb\n"
           "\n"
           "Drive A: is --drive PATH when given, else $DORVANE_DRIVE_A when set, else\n"
           "A.img in the working folder. Writing a block device needs membership of the\n"
           "group that owns it (usually disk or floppy) or root, and the device must not\n"
           "be mounted.\n"
           "\n"
           "Exit status:\n"
           "  0  the main window was closed, or this help or the version was shown\n"
           "  1  no display to open a window on\n"
           "  2  the command line was wrong\n";
}

}  // namespace linuxprogram
