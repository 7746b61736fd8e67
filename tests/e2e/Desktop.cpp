#include "tests/e2e/Desktop.h"

namespace e2e {

Desktop::Desktop(const Session& session, WindowManager manager)
    : dir_(session.dir()),
      xvfb_("Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp", dir_, "xvfb"),
      display_(":" + xvfbDisplayNumber(dir_ / "xvfb.log", std::chrono::seconds(20))) {
    if (manager == WindowManager::Openbox)
        wm_.emplace("env DISPLAY=" + display_ + " openbox --sm-disable", dir_, "openbox");
}

std::string Desktop::x(const std::string& command) const {
    std::string out = peers::runCommand("DISPLAY=" + display_ + " " + command, dir_).output;
    while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
    return out;
}

bool Desktop::managed() const {
    return x("xprop -root _NET_SUPPORTING_WM_CHECK").find("window id") != std::string::npos;
}

std::string Desktop::activeTitle() const { return x("xdotool getactivewindow getwindowname 2>/dev/null"); }

bool Desktop::shown(const std::string& title) const { return !windowId(title).empty(); }

bool Desktop::becomesActive(const std::string& title) const {
    return peers::waitUntil([&] { return activeTitle() == title; }, std::chrono::seconds(15));
}

bool Desktop::hides(const std::string& title) const {
    return peers::waitUntil([&] { return !shown(title); }, std::chrono::seconds(15));
}

std::string Desktop::windowId(const std::string& title) const {
    return x("xdotool search --onlyvisible --name '^" + title + "$' 2>/dev/null | head -n 1");
}

void Desktop::type(const std::string& keys) const { x("xdotool key --delay 60 " + keys); }

}  // namespace e2e
