// Discarding the input that arrived while a handler held the event loop.
// Real input waits in the window system's queue, not among Qt's posted
// events, so it is drained once through an application-wide filter that
// swallows input and lets everything else (timers, paints, close requests)
// through to be handled as usual.
#include <QEvent>
#include <QGuiApplication>
#include <QObject>

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

}  // namespace

void QtBackend::discardPendingInput() {
    InputSwallower swallower;
    QCoreApplication::instance()->installEventFilter(&swallower);
    // Handles what Qt holds, asks the window system for everything sent so
    // far, and handles that too.
    QGuiApplication::sync();
    QCoreApplication::instance()->removeEventFilter(&swallower);
}

}  // namespace qtui
