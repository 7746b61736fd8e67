#include "bench/startup/XMapWatch.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>

namespace probe {
namespace {

// A window may be gone by the time we ask about it; that is no reason to end.
int ignoreErrors(Display*, XErrorEvent*) { return 0; }

std::string propertyText(Display* display, Window window, Atom property, Atom type) {
    Atom actualType = 0;
    int format = 0;
    unsigned long items = 0, remaining = 0;
    unsigned char* data = nullptr;
    std::string text;
    if (XGetWindowProperty(display, window, property, 0, 1024, False, type, &actualType, &format, &items, &remaining,
                           &data) == Success &&
        data != nullptr) {
        if (format == 8) text.assign(reinterpret_cast<const char*>(data), items);
        XFree(data);
    }
    return text;
}

}  // namespace

XMapWatch::XMapWatch() : display_(XOpenDisplay(nullptr)) {
    if (display_ == nullptr) return;
    XSetErrorHandler(ignoreErrors);
    XSelectInput(display_, DefaultRootWindow(display_), SubstructureNotifyMask);
    XSync(display_, False);
}

XMapWatch::~XMapWatch() {
    if (display_ != nullptr) XCloseDisplay(display_);
}

void XMapWatch::reset() {
    XSync(display_, True);  // drops the events of earlier runs
    mapped_.clear();
}

bool XMapWatch::titled(unsigned long window, const std::string& title) {
    const Atom utf8 = XInternAtom(display_, "UTF8_STRING", False);
    const Atom netName = XInternAtom(display_, "_NET_WM_NAME", False);
    return propertyText(display_, window, netName, utf8) == title ||
           propertyText(display_, window, XA_WM_NAME, XA_STRING) == title;
}

bool XMapWatch::sawMapped(const std::string& title, int waitMs) {
    if (XPending(display_) == 0) {
        pollfd fd{ConnectionNumber(display_), POLLIN, 0};
        ::poll(&fd, 1, waitMs);
    }
    bool seen = false;
    while (XPending(display_) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
        if (event.type == CreateNotify) {
            // Its title may come after it is mapped.
            XSelectInput(display_, event.xcreatewindow.window, PropertyChangeMask);
        } else if (event.type == MapNotify) {
            mapped_.insert(event.xmap.window);
            seen = seen || titled(event.xmap.window, title);
        } else if (event.type == UnmapNotify) {
            mapped_.erase(event.xunmap.window);
        } else if (event.type == PropertyNotify && mapped_.count(event.xproperty.window) != 0) {
            seen = seen || titled(event.xproperty.window, title);
        }
    }
    return seen;
}

}  // namespace probe
