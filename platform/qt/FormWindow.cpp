#include "platform/qt/FormWindow.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QShortcut>

#include "platform/qt/ControlView.h"
#include "platform/qt/Look.h"
#include "platform/qt/MenuBinding.h"
#include "platform/qt/TabOrder.h"
#include "platform/qt/TimerBinding.h"
#include "platform/qt/WidgetFactory.h"

namespace qtui {

namespace {

Qt::WindowFlags flagsFor(const forms::Form& form) {
    Qt::WindowFlags flags = Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    switch (form.borderStyle) {
        case forms::BorderStyle::Single:
            flags |= Qt::Window | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint;
            if (form.maximizeBox) flags |= Qt::WindowMaximizeButtonHint;
            break;
        case forms::BorderStyle::Dialog: flags |= Qt::Dialog | Qt::WindowSystemMenuHint; break;
        case forms::BorderStyle::SizeToolWin: flags |= Qt::Tool; break;
    }
    if (form.formStyle() == forms::FormStyle::StayOnTop) flags |= Qt::WindowStaysOnTopHint;
    return flags;
}

forms::WindowState modelState(Qt::WindowStates s) {
    if (s & Qt::WindowMinimized) return forms::WindowState::Minimized;
    if (s & Qt::WindowMaximized) return forms::WindowState::Maximized;
    return forms::WindowState::Normal;
}

class Applying {
public:
    explicit Applying(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
    ~Applying() { flag_ = old_; }
    Applying(const Applying&) = delete;
    Applying& operator=(const Applying&) = delete;

private:
    bool& flag_;
    bool old_;
};

}  // namespace

FormWindow::FormWindow(forms::Form& form) : QWidget(nullptr, flagsFor(form)), form_(form), client_(new QWidget(this)) {
    setObjectName(QString::fromStdString(form.name()));
    client_->setObjectName(QStringLiteral("client"));
    const auto live = [this] { return !detached_; };
    if (form_.menu()) {
        menu_ = std::make_unique<MenuBinding>(*form_.menu(), this, live);
        auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), this);
        connect(f10, &QShortcut::activated, this, [this] { menu_->openFromKeyboard(); });
    }
    buildControls();
    buildTabOrder();
    for (const auto& t : form_.timers()) timers_.push_back(std::make_unique<TimerBinding>(*t, live));

    id_ = form_.observe([this](forms::Prop p) { apply(p); });
    setWindowTitle(toWidgetText(form_.text()));
    setFont(toQFont(form_.font()));
    applyColor();
    applySize();
    applyVisible();
}

FormWindow::~FormWindow() {
    detached_ = true;
    // The views go before their widgets, taking their event filters along.
    views_.clear();
}

QMenuBar* FormWindow::menuBar() const { return menu_ ? menu_->bar() : nullptr; }

QWidget* FormWindow::widgetFor(const forms::Control& control) const {
    if (&control == &form_) return client_;
    const auto it = viewOf_.find(&control);
    return it == viewOf_.end() ? nullptr : it->second->widget();
}

void FormWindow::buildControls() {
    // Creation order is stacking order: a later sibling covers an earlier one.
    for (forms::Control* c : form_.controls()) {
        QWidget* parent = c->parent() ? widgetFor(*c->parent()) : client_;
        if (!parent) parent = client_;
        QWidget* w = createWidget(*c, parent);
        views_.push_back(std::make_unique<ControlView>(*c, w, *this));
        viewOf_[c] = views_.back().get();
    }
    for (const auto& v : views_) v->applyAll();
}

void FormWindow::buildTabOrder() {
    QWidget* previous = nullptr;
    for (forms::Control* c : keyboardOrder(form_)) {
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
    if (form_.borderStyle == forms::BorderStyle::SizeToolWin) {
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

void FormWindow::placeFirstTime() {
    if (!form_.centered) {
        move(form_.left(), form_.top());
        return;
    }
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
    Applying guard(applying_);
    if (!form_.visible()) {
        hide();
        return;
    }
    // Showing a form that is already up neither raises it nor moves it.
    if (isVisible()) return;
    if (!placed_) {
        placeFirstTime();
        placed_ = true;
    }
    showInState();
    applyFocus();
}

void FormWindow::applyWindowState() {
    Applying guard(applying_);
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
    Applying guard(applying_);
    const Qt::WindowFlags flags = flagsFor(form_);
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

bool FormWindow::keyFromWidget(int key, QWidget* source) {
    if (detached_) return false;
    if (key == Qt::Key_Escape) {
        form_.keyEscape();
        return true;
    }
    if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
    // In a memo the user can type into, Enter starts a new line.
    if (const auto* memo = qobject_cast<const QPlainTextEdit*>(source); memo && !memo->isReadOnly()) return false;
    form_.keyEnter();
    return true;
}

void FormWindow::keyPressEvent(QKeyEvent* event) {
    if (!keyFromWidget(event->key(), this)) QWidget::keyPressEvent(event);
}

void FormWindow::closeEvent(QCloseEvent* event) {
    // The model decides: a secondary form hides, the main form ends the program.
    event->ignore();
    if (!detached_) form_.closeBox();
}

void FormWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || applying_ || detached_ || !isVisible()) return;
    // The user minimized or restored the window.
    form_.setWindowState(modelState(windowState()), id_);
}

}  // namespace qtui
