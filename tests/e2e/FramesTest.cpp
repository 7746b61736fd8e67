// The real Linux program's windows under Xvfb with openbox: the hints each
// window gives the window manager (type, fixed size, which frame buttons,
// stay on top), what the window manager then allows, and a picture of each
// window with the frame openbox draws round it.
#include <gtest/gtest.h>

#include <regex>

#include "tests/e2e/Desktop.h"

namespace e2e {
namespace {

// _MOTIF_WM_HINTS function bits.
constexpr unsigned MwmMinimize = 0x08;
constexpr unsigned MwmMaximize = 0x10;
constexpr unsigned MwmClose = 0x20;

std::string property(const Desktop& desktop, const std::string& id, const std::string& name) {
    return desktop.x("xprop -id " + id + " " + name);
}

unsigned motifFunctions(const Desktop& desktop, const std::string& id) {
    std::smatch m;
    const std::string hints = property(desktop, id, "_MOTIF_WM_HINTS");
    if (!std::regex_search(hints, m, std::regex("= (0x[0-9a-f]+), (0x[0-9a-f]+)"))) return 0;
    const auto flags = static_cast<unsigned>(std::stoul(m[1].str(), nullptr, 16));
    // Without the functions flag every function is offered.
    return (flags & 1) ? static_cast<unsigned>(std::stoul(m[2].str(), nullptr, 16)) : ~0u;
}

// "W by H" of WM_NORMAL_HINTS' minimum or maximum size, "" when not set.
std::string sizeHint(const std::string& hints, const std::string& which) {
    std::smatch m;
    return std::regex_search(hints, m, std::regex(which + " size: ([0-9]+ by [0-9]+)")) ? m[1].str() : "";
}

// The numbers in a text: a window's width and height, the frame extents.
std::vector<int> numbers(const std::string& text) {
    std::vector<int> out;
    const std::regex number("[0-9]+");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), number); it != std::sregex_iterator(); ++it)
        out.push_back(std::stoi(it->str()));
    return out;
}

TEST(WindowManager, EachWindowHasItsFrameButtonsAndIsPicturedInItsFrame) {
    for (const char* program : {"Xvfb", "openbox", "xdotool", "xprop", "import", "identify"})
        ASSERT_TRUE(peers::programExists(program)) << program << " missing";
    Session session;
    const Desktop desktop(session);
    ASSERT_TRUE(peers::waitUntil([&] { return desktop.managed(); }, std::chrono::seconds(20)));
    const peers::BackgroundProgram shell(
        "env DISPLAY=" + desktop.display() + " QT_QPA_PLATFORM=xcb " + DORVANE_SHELL_PATH, session.dir(), "shell");

    const struct {
        const char* title;
        const char* open;   // typed into the main window
        const char* close;  // typed into the window, hides it
        const char* type;   // what the window says it is
        bool fixedSize;
        bool minimize;
        bool onTop;
        const char* shot;
    } rows[] = {
        {"Dorvane Shell", "", "", "_NET_WM_WINDOW_TYPE_NORMAL", true, true, false, "framed-main"},
        {"Create Diskette", "alt+r Return", "space space", "_NET_WM_WINDOW_TYPE_DIALOG", true, false, false,
         "framed-create-diskette"},
        {"About", "alt+a", "Return", "_NET_WM_WINDOW_TYPE_DIALOG", true, false, false, "framed-about"},
        {"Feedback Form", "alt+f", "Escape", "_NET_WM_WINDOW_TYPE_UTILITY", false, false, true, "framed-feedback"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.title);
        ASSERT_TRUE(
            peers::waitUntil([&] { return desktop.activeTitle() == "Dorvane Shell"; }, std::chrono::seconds(15)))
            << peers::readText(session / "shell.log");
        if (*r.open) desktop.type(r.open);
        ASSERT_TRUE(peers::waitUntil([&] { return desktop.activeTitle() == r.title; }, std::chrono::seconds(15)));
        const std::string id = desktop.windowId(r.title);
        ASSERT_FALSE(id.empty());

        // What the program asks for.
        const std::string type = property(desktop, id, "_NET_WM_WINDOW_TYPE");
        EXPECT_NE(type.find(std::string("= ") + r.type), std::string::npos) << type;
        const std::string sizeHints = property(desktop, id, "WM_NORMAL_HINTS");
        const std::string minimum = sizeHint(sizeHints, "minimum");
        EXPECT_EQ(!minimum.empty() && minimum == sizeHint(sizeHints, "maximum"), r.fixedSize) << sizeHints;
        const unsigned functions = motifFunctions(desktop, id);
        EXPECT_EQ((functions & MwmMinimize) != 0, r.minimize);
        EXPECT_EQ(functions & MwmMaximize, 0u) << "no window offers to maximize";
        EXPECT_NE(functions & MwmClose, 0u);
        EXPECT_EQ(property(desktop, id, "_NET_WM_STATE").find("_NET_WM_STATE_ABOVE") != std::string::npos, r.onTop);

        // What openbox makes of it: a fixed size neither resizes nor
        // maximizes, whatever buttons its theme draws.
        const std::string allowed = property(desktop, id, "_NET_WM_ALLOWED_ACTIONS");
        EXPECT_NE(allowed.find("_NET_WM_ACTION_CLOSE"), std::string::npos) << allowed;
        if (r.fixedSize) {
            EXPECT_EQ(allowed.find("_NET_WM_ACTION_MAXIMIZE"), std::string::npos) << allowed;
            EXPECT_EQ(allowed.find("_NET_WM_ACTION_RESIZE"), std::string::npos) << allowed;
        }

        // The picture holds the frame: the client area plus openbox's extents.
        const std::string file = std::string(DORVANE_SCREENSHOT_DIR) + "/" + r.shot + ".png";
        ASSERT_EQ(desktop.x("import -frame -window " + id + " " + file + " && echo ok"), "ok");
        const auto client = numbers(desktop.x("xdotool getwindowgeometry " + id + " | grep Geometry"));
        const auto extents = numbers(property(desktop, id, "_NET_FRAME_EXTENTS"));
        const auto picture = numbers(desktop.x("identify -format '%w %h' " + file));
        ASSERT_EQ(client.size(), 2u);
        ASSERT_EQ(extents.size(), 4u);
        ASSERT_EQ(picture.size(), 2u);
        EXPECT_GT(extents[2], extents[3]) << "a title bar above";
        EXPECT_EQ(picture[0], client[0] + extents[0] + extents[1]);
        EXPECT_EQ(picture[1], client[1] + extents[2] + extents[3]);

        if (*r.close) {
            desktop.type(r.close);
            EXPECT_TRUE(peers::waitUntil([&] { return !desktop.shown(r.title); }, std::chrono::seconds(15)));
        }
    }
}

}  // namespace
}  // namespace e2e
