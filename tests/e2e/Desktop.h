// An X server (Xvfb) with a real window manager (openbox) managing it, for
// running the Linux program as a person would see it; or the bare server,
// where nothing but the tests moves the focus.
#pragma once

#include <optional>
#include <string>

#include "tests/e2e/Session.h"

namespace e2e {

class Desktop {
public:
    enum class WindowManager { Openbox, None };
    explicit Desktop(const Session& session, WindowManager manager = WindowManager::Openbox);

    // Whether the server started (named its display in time).
    bool started() const { return display_ != ":"; }
    const std::string& display() const { return display_; }

    // Runs a command against this display; its output without the last
    // line break.
    std::string x(const std::string& command) const;
    bool managed() const;
    // The title of the window the window manager names the active one.
    std::string activeTitle() const;
    bool shown(const std::string& title) const;
    // Wait, within 15 seconds, for the window of this title to become the
    // active one, or to be gone from the screen.
    bool becomesActive(const std::string& title) const;
    bool hides(const std::string& title) const;
    // The id of the visible window with this exact title, "" when none.
    std::string windowId(const std::string& title) const;
    // Keys go to whichever window has the focus, as typed.
    void type(const std::string& keys) const;

private:
    fs::path dir_;
    peers::BackgroundProgram xvfb_;
    std::string display_;
    std::optional<peers::BackgroundProgram> wm_;
};

}  // namespace e2e
