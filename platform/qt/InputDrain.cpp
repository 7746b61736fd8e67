// The window system while a handler holds the event loop (a diskette run).
// Meanwhile the window manager's pings are answered: openbox pings a window
// it was asked to close and, unanswered, offers to kill the program in the
// middle of a write. Each answer, and the drain when the handler is done,
// handles the events that wait through an application-wide filter that
// swallows input (keys, clicks) and lets everything else through: timers,
// paints, pings, and close requests, which the model refuses while the
// handler holds. Real input waits in the window system's queue, not among
// Qt's posted events, so the drain asks the window system for everything
// sent so far. (Qt's own way to leave input for later, ExcludeUserInputEvents,
// keeps it past a drain that runs inside the handler.)
#include <QEvent>
#include <QGuiApplication>
#include <QObject>
#include <xcb/xcb.h>

#include "platform/qt/QtBackend.h"

namespace qtui {

namespace {

class InputSwallower final : public QObject {
protected:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
        case QEvent::ShortcutOverride:
            // Accepted, so that the key is not tried as a shortcut (a menu's
            // Alt+letter, a button's mnemonic) and reaches this filter as a
            // key press instead.
            event->accept();
            return true;
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Shortcut:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TabletPress:
        case QEvent::TabletRelease:
        case QEvent::NonClientAreaMouseButtonPress:
        case QEvent::NonClientAreaMouseButtonRelease:
        case QEvent::NonClientAreaMouseButtonDblClick: return true;
        default: return false;
        }
    }
};

// Qt ends the program when it finds its X connection broken (the display
// gone, as at a logout) while handling events: mid-run, that would leave a
// half-written diskette. So the run goes on unanswered; Qt ends the
// program once the run is over and the loop handles events again.
bool displayLost() {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return false;
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
    return connection != nullptr && xcb_connection_has_error(connection) != 0;
}

// The swallower, installed application-wide for as long as it lives.
class Swallowing {
public:
    Swallowing() { QCoreApplication::instance()->installEventFilter(&swallower_); }
    ~Swallowing() { QCoreApplication::instance()->removeEventFilter(&swallower_); }
    Swallowing(const Swallowing&) = delete;
    Swallowing& operator=(const Swallowing&) = delete;

private:
    InputSwallower swallower_;
};

}  // namespace

void QtBackend::answerSystem() {
    if (displayLost()) return;
    const Swallowing swallowing;
    QCoreApplication::processEvents();
}

void QtBackend::discardPendingInput() {
    const Swallowing swallowing;
    // Handles what Qt holds, asks the window system for everything sent so
    // far, and handles that too.
    QGuiApplication::sync();
}

}  // namespace qtui
