#include "platform/qt/FormWindow.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScopedValueRollback>
#include <QScreen>
#include <QShortcut>

#include "platform/qt/ControlView.h"
#include "platform/qt/Look.h"
#include "platform/qt/MenuBinding.h"
#include "platform/qt/TimerBinding.h"
#include "platform/qt/ViewFactory.h"

namespace qtui {

namespace {

// The model's frame in window flags; the window manager draws it.
Qt::WindowFlags flagsFor(const forms::Frame& f) {
    Qt::WindowFlags flags = Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    flags |= f.tool ? Qt::Tool : f.dialog ? Qt::Dialog : Qt::Window;
    if (!f.tool) flags |= Qt::WindowSystemMenuHint;
    if (f.minimizeBox) flags |= Qt::WindowMinimizeButtonHint;
    if (f.maximizeBox) flags |= Qt::WindowMaximizeButtonHint;
    if (f.stayOnTop) flags |= Qt::WindowStaysOnTopHint;
    return flags;
}

forms::WindowState modelState(Qt::WindowStates s) {
    if (s & Qt::WindowMinimized) return forms::WindowState::Minimized;
    if (s & Qt::WindowMaximized) return forms::WindowState::Maximized;
    return forms::WindowState::Normal;
}

}  // namespace

FormWindow::FormWindow(forms::Form& form, ViewFactory& factory)
    : QWidget(nullptr, flagsFor(form.frame())), form_(form), factory_(factory), client_(new QWidget(this)) {
    setObjectName(QString::fromStdString(form.name()));
    client_->setObjectName(QStringLiteral("client"));
    if (form_.menu()) {
        menu_ = std::make_unique<MenuBinding>(*form_.menu(), this);
        auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), this);
        connect(f10, &QShortcut::activated, this, [this] { menu_->openFromKeyboard(); });
    }
    for (const auto& t : form_.timers()) timers_.push_back(std::make_unique<TimerBinding>(*t));
}

void FormWindow::build() {
    // Creation order is stacking order: a later sibling covers an earlier one.
    for (forms::Control* c : form_.controls()) views_.push_back(c->makeView(factory_));
    for (const auto& v : views_) static_cast<ControlView&>(*v).applyAll();
    buildTabOrder();
    id_ = form_.observe([this](forms::Prop p) { apply(p); });
    setWindowTitle(toWidgetText(form_.text()));
    setFont(toQFont(form_.font()));
    applyColor();
    applySize();
    applyVisible();
}

FormWindow::~FormWindow() {
    form_.unobserve(id_);
    // The views go before their widgets, taking their event filters and
    // signal connections along.
    views_.clear();
}

QMenuBar* FormWindow::menuBar() const { return menu_ ? menu_->bar() : nullptr; }

QWidget* FormWindow::widgetFor(const forms::Control& control) const { return factory_.widgetFor(control); }

void FormWindow::buildTabOrder() {
    QWidget* previous = nullptr;
    for (forms::Control* c : form_.keyboardOrder()) {
        QWidget* w = widgetFor(*c);
        if (!w) continue;
        if (previous) QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

void FormWindow::apply(forms::Prop prop) {
    switch (prop) {
        case forms::Prop::Visible: applyVisible(); break;
        case forms::Prop::Enabled: setEnabled(form_.enabled()); break;
        case forms::Prop::Text: setWindowTitle(toWidgetText(form_.text())); break;
        case forms::Prop::Bounds: applySize(); break;
        case forms::Prop::Font: setFont(toQFont(form_.font())); break;
        case forms::Prop::Color: applyColor(); break;
        case forms::Prop::WindowState: applyWindowState(); break;
        case forms::Prop::FormStyle: applyFlags(); break;
        case forms::Prop::Focus: applyFocus(); break;
        case forms::Prop::Repaint: repaint(); break;
        default: break;
    }
}

int FormWindow::menuHeight() const {
    const QMenuBar* bar = menuBar();
    return bar ? bar->sizeHint().height() : 0;
}

void FormWindow::applySize() {
    // The model's client area lies below the menu bar, whatever the frame.
    const int w = form_.clientWidth();
    const int h = menuHeight() + form_.clientHeight();
    if (form_.frame().sizeable) {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        resize(w, h);
    } else {
        setFixedSize(w, h);
    }
}

void FormWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int m = menuHeight();
    if (QMenuBar* bar = menuBar()) bar->setGeometry(0, 0, width(), m);
    client_->setGeometry(0, m, width(), height() - m);
}

void FormWindow::applyColor() {
    QPalette p = client_->palette();
    p.setColor(QPalette::Window, toQColor(form_.color(), QGuiApplication::palette()));
    client_->setPalette(p);
    client_->setAutoFillBackground(true);
}

void FormWindow::centre() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
}

void FormWindow::showInState() {
    switch (form_.windowState()) {
        case forms::WindowState::Minimized: showMinimized(); break;
        case forms::WindowState::Maximized: showMaximized(); break;
        case forms::WindowState::Normal:
            if (isMinimized() || isMaximized())
                showNormal();
            else
                show();
            break;
    }
}

void FormWindow::applyVisible() {
    const QScopedValueRollback<bool> guard(applying_, true);
    if (!form_.visible()) {
        hide();
        return;
    }
    // Showing a form that is already up neither raises it nor moves it.
    if (isVisible()) return;
    if (form_.centredNow()) centre();
    showInState();
    // Shown from hidden, the form becomes the active window, as on Windows.
    // On X11 this asks the window manager, which Qt does once the window
    // is mapped.
    raise();
    activateWindow();
    applyFocus();
}

void FormWindow::applyWindowState() {
    const QScopedValueRollback<bool> guard(applying_, true);
    if (!isVisible()) {
        // Taken on when the window is shown.
        Qt::WindowStates s = Qt::WindowNoState;
        if (form_.windowState() == forms::WindowState::Minimized) s = Qt::WindowMinimized;
        if (form_.windowState() == forms::WindowState::Maximized) s = Qt::WindowMaximized;
        setWindowState(s);
        return;
    }
    showInState();
}

void FormWindow::applyFlags() {
    const QScopedValueRollback<bool> guard(applying_, true);
    const Qt::WindowFlags flags = flagsFor(form_.frame());
    if (windowFlags() == flags) return;
    // Changing the flags hides a window; it comes back where it was.
    const bool wasVisible = isVisible();
    const QPoint at = pos();
    setWindowFlags(flags);
    if (!wasVisible) return;
    move(at);
    showInState();
}

void FormWindow::applyFocus() {
    const forms::Control* active = form_.activeControl();
    if (!active || !isVisible()) return;
    if (QWidget* w = widgetFor(*active); w && w != client_) w->setFocus(Qt::OtherFocusReason);
}

bool FormWindow::keyFromWidget(int key, const forms::Control* source) {
    switch (key) {
        case Qt::Key_Escape: form_.keyEscape(); return true;
        case Qt::Key_Space: return form_.keySpace(source);
        case Qt::Key_Return:
        case Qt::Key_Enter: return form_.keyEnter(source);
        case Qt::Key_Left:
        case Qt::Key_Up: return form_.keyArrow(source, true);
        case Qt::Key_Right:
        case Qt::Key_Down: return form_.keyArrow(source, false);
        default: return false;
    }
}

void FormWindow::keyPressEvent(QKeyEvent* event) {
    if (!keyFromWidget(event->key(), nullptr)) QWidget::keyPressEvent(event);
}

void FormWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    form_.closeBox();
}

void FormWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || applying_ || !isVisible()) return;
    // The user minimized or restored the window.
    form_.setWindowState(modelState(windowState()), id_);
}

}  // namespace qtui
