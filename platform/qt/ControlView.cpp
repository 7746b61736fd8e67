#include "platform/qt/ControlView.h"

#include <QAbstractScrollArea>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include "platform/forms/Contrast.h"
#include "platform/forms/Form.h"
#include "platform/qt/FormWindow.h"
#include "platform/qt/Look.h"

namespace qtui {

ControlView::ControlView(forms::Control& control, QWidget* widget, FormWindow& window)
    : control_(control), widget_(widget), window_(window) {
    widget_->setObjectName(QString::fromStdString(control_.name()));
    widget_->setFocusPolicy(control_.tabStop ? Qt::StrongFocus : Qt::NoFocus);
    // A field is named by its question; a screen reader reads that name.
    if (control_.labelledBy) widget_->setAccessibleName(toWidgetText(control_.labelledBy->text()));
    id_ = control_.observe([this](forms::Prop p) { apply(p); });
    widget_->installEventFilter(this);
    // A text box's clicks land on its viewport.
    if (auto* area = qobject_cast<QAbstractScrollArea*>(widget_)) area->viewport()->installEventFilter(this);
}

ControlView::~ControlView() { control_.unobserve(id_); }

void ControlView::applyAll() {
    applyFont();
    applyText();
    applyAlignment();
    applyBounds();
    applyColor();
    applyCursor();
    applyValue();
    widget_->setEnabled(control_.enabled());
    widget_->setAccessibleDescription(toWidgetText(control_.missingNote()));
    widget_->setVisible(control_.shown());
}

void ControlView::apply(forms::Prop prop) {
    switch (prop) {
        case forms::Prop::Visible: widget_->setVisible(control_.shown()); break;
        case forms::Prop::Enabled: widget_->setEnabled(control_.enabled()); break;
        case forms::Prop::Text: applyText(); break;
        case forms::Prop::Bounds: applyBounds(); break;
        case forms::Prop::Font: applyFont(); break;
        case forms::Prop::Color: applyColor(); break;
        case forms::Prop::Alignment: applyAlignment(); break;
        case forms::Prop::Cursor: applyCursor(); break;
        case forms::Prop::Checked:
        case forms::Prop::Progress: applyValue(); break;
        case forms::Prop::Repaint: repaintNow(); break;
        case forms::Prop::Missing: widget_->setAccessibleDescription(toWidgetText(control_.missingNote())); break;
        case forms::Prop::WindowState:
        case forms::Prop::FormStyle:
        case forms::Prop::Focus:
        case forms::Prop::TimerState: break;
    }
}

void ControlView::repaintNow() {
    // The framework's Update: paint now, for the event loop may be blocked.
    // A widget's repaint leaves out children that cover it (a memo's text
    // area), so they are marked first and painted in the same pass.
    for (QWidget* child : widget_->findChildren<QWidget*>())
        if (child->isVisible()) child->update();
    widget_->repaint();
}

void ControlView::applyBounds() {
    const forms::Rect r = control_.placement(measureText);
    widget_->setGeometry(r.left, r.top, r.width, r.height);
}

void ControlView::applyFont() {
    widget_->setFont(toQFont(control_.font()));
    applyTextColor();
}

namespace {

forms::Color modelColor(const QColor& c) {
    return forms::Color::rgb(static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
                             static_cast<std::uint8_t>(c.blue()));
}

}  // namespace

// The text's colour, kept readable on the background it is drawn on: the
// control's own colour, its parent's where it shows that, a button's face.
void ControlView::applyTextColor() {
    const QPalette& system = QGuiApplication::palette();
    QColor back;
    if (textRole_ == QPalette::ButtonText)
        back = system.color(QPalette::Button);
    else
        back = toQColor(control_.background(), system);
    const QColor wanted = toQColor(control_.font().color, system);
    const forms::Color shown = forms::readableOn(modelColor(wanted), modelColor(back));
    const QColor color(shown.red(), shown.green(), shown.blue());
    QPalette p = widget_->palette();
    p.setColor(QPalette::Active, textRole_, color);
    p.setColor(QPalette::Inactive, textRole_, color);
    widget_->setPalette(p);
}

void ControlView::applyColor() {
    // Labels, buttons and the rest show their parent's background.
    if (!backgroundRole_) return;
    QPalette p = widget_->palette();
    p.setColor(*backgroundRole_, toQColor(control_.color(), QGuiApplication::palette()));
    widget_->setPalette(p);
    applyTextColor();
}

void ControlView::applyCursor() {
    if (control_.cursor() == forms::Cursor::Hand)
        widget_->setCursor(Qt::PointingHandCursor);
    else
        widget_->unsetCursor();
}

bool ControlView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == widget_) return widgetEvent(event);
    return event->type() == QEvent::MouseButtonRelease && widgetEvent(event);
}

bool ControlView::widgetEvent(QEvent* event) {
    switch (event->type()) {
        case QEvent::Enter: control_.mouseEnter(); break;
        case QEvent::Leave: control_.mouseLeave(); break;
        case QEvent::MouseButtonRelease: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (!reportsOwnClicks() && mouse->button() == Qt::LeftButton &&
                widget_->rect().contains(mouse->position().toPoint()) && control_.takesClick())
                control_.click();
            break;
        }
        case QEvent::FocusIn: control_.focusMoved(window_.observerId()); break;
        case QEvent::KeyPress: return window_.keyFromWidget(static_cast<QKeyEvent*>(event)->key(), &control_);
        default: break;
    }
    return false;
}

}  // namespace qtui
