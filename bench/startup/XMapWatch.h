// Watches an X display for a top-level window with a given title being
// mapped. Used where the program can't be asked when it painted (a Windows
// program under Wine): the moment its window is mapped is when it becomes
// visible. Without a window manager (as under a bare Xvfb) top-level
// windows are the root window's children, so watching the root suffices.
#pragma once

#include <cstdint>
#include <set>
#include <string>

struct _XDisplay;

namespace probe {

class XMapWatch {
public:
    // Opens $DISPLAY; ok() is false when that fails.
    XMapWatch();
    ~XMapWatch();
    XMapWatch(const XMapWatch&) = delete;
    XMapWatch& operator=(const XMapWatch&) = delete;

    bool ok() const { return display_ != nullptr; }

    // Forgets windows seen so far; call just before starting the program.
    void reset();

    // Handles the events that have arrived, waiting for them at most
    // `waitMs`; true once a window titled `title` is mapped.
    bool sawMapped(const std::string& title, int waitMs);

private:
    bool titled(unsigned long window, const std::string& title);

    _XDisplay* display_ = nullptr;
    std::set<unsigned long> mapped_;
};

}  // namespace probe
