#include "platform/qt/ControlView.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTextCursor>
#include <QTextEdit>
#include <cmath>

#include "platform/forms/Controls.h"
#include "platform/forms/Form.h"
#include "platform/qt/FormWindow.h"
#include "platform/qt/Look.h"
#include "platform/qt/WidgetFactory.h"

namespace qtui {

namespace {

using forms::Kind;

Qt::Alignment horizontal(forms::Alignment a) {
    switch (a) {
        case forms::Alignment::Center: return Qt::AlignHCenter;
        case forms::Alignment::Right: return Qt::AlignRight;
        case forms::Alignment::Left: break;
    }
    return Qt::AlignLeft;
}

// The palette role a kind draws its text with.
QPalette::ColorRole textRole(Kind kind) {
    switch (kind) {
        case Kind::Edit:
        case Kind::Memo:
        case Kind::RichEdit: return QPalette::Text;
        case Kind::Button:
        case Kind::BitBtn: return QPalette::ButtonText;
        default: return QPalette::WindowText;
    }
}

// Every paragraph of a document takes the alignment; the default option
// covers the paragraphs typed later. A positive line height fixes the
// distance between lines.
void formatDocument(QTextDocument* doc, Qt::Alignment a, qreal lineHeight) {
    QTextOption option = doc->defaultTextOption();
    option.setAlignment(a);
    doc->setDefaultTextOption(option);
    QTextCursor cursor(doc);
    cursor.select(QTextCursor::Document);
    QTextBlockFormat format;
    format.setAlignment(a);
    if (lineHeight > 0) format.setLineHeight(lineHeight, QTextBlockFormat::FixedHeight);
    cursor.mergeBlockFormat(format);
}

// The line distance of a Windows text box: the font's ascent and descent
// rounded once, where Qt rounds each of them up. The topic boxes are sized
// for that distance: the six lines of a topic fill its box exactly.
qreal windowsLineHeight(const QFont& font) { return std::round(QFontMetricsF(font).height()); }

bool isKey(const QEvent* e, std::initializer_list<int> keys) {
    const int k = static_cast<const QKeyEvent*>(e)->key();
    for (int key : keys)
        if (k == key) return true;
    return false;
}

}  // namespace

ControlView::ControlView(forms::Control& control, QWidget* widget, FormWindow& window)
    : control_(control), widget_(widget), window_(window) {
    id_ = control_.observe([this](forms::Prop p) { apply(p); });
    widget_->installEventFilter(this);
    if (control_.dockedBottom && widget_->parentWidget()) widget_->parentWidget()->installEventFilter(this);
    connectSignals();
}

bool ControlView::live() const { return !window_.detached(); }

void ControlView::connectSignals() {
    if (auto* edit = qobject_cast<QLineEdit*>(widget_)) {
        connect(edit, &QLineEdit::textEdited, this, [this](const QString& text) {
            if (!applying_ && live()) control_.textEdited(toModelText(text), id_);
        });
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(widget_)) {
        connect(memo, &QPlainTextEdit::textChanged, this, [this, memo] {
            if (!applying_ && live()) control_.textEdited(toModelText(memo->toPlainText()), id_);
        });
    } else if (auto* rich = qobject_cast<QTextEdit*>(widget_)) {
        connect(rich, &QTextEdit::textChanged, this, [this, rich] {
            if (!applying_ && live()) control_.textEdited(toModelText(rich->toPlainText()), id_);
        });
    } else if (auto* radio = qobject_cast<QRadioButton*>(widget_)) {
        connect(radio, &QRadioButton::toggled, this, [this](bool on) {
            if (applying_ || !on || !live()) return;
            static_cast<forms::RadioButton&>(control_).checkedByUser(id_);
            // The model may refuse (the button is out of reach): show its answer.
            applyChecked();
        });
    } else if (auto* button = qobject_cast<QPushButton*>(widget_)) {
        connect(button, &QPushButton::clicked, this, [this] {
            if (live()) control_.click();
        });
    }
}

void ControlView::applyAll() {
    applyFont();
    applyText();
    applyBounds();
    applyColor();
    applyAlignment();
    applyCursor();
    applyChecked();
    applyProgress();
    widget_->setEnabled(control_.enabled());
    widget_->setVisible(control_.visible());
}

void ControlView::apply(forms::Prop prop) {
    switch (prop) {
        case forms::Prop::Visible: widget_->setVisible(control_.visible()); break;
        case forms::Prop::Enabled: widget_->setEnabled(control_.enabled()); break;
        case forms::Prop::Text: applyText(); break;
        case forms::Prop::Bounds: applyBounds(); break;
        case forms::Prop::Font: applyFont(); break;
        case forms::Prop::Color: applyColor(); break;
        case forms::Prop::Alignment: applyAlignment(); break;
        case forms::Prop::Cursor: applyCursor(); break;
        case forms::Prop::Checked: applyChecked(); break;
        case forms::Prop::Progress: applyProgress(); break;
        case forms::Prop::Repaint: repaintNow(); break;
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

void ControlView::applyText() {
    const QString text = toWidgetText(control_.text());
    applying_ = true;
    if (auto* label = qobject_cast<QLabel*>(widget_)) {
        if (control_.kind() == Kind::Label) label->setText(text);
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget_)) {
        if (edit->text() != text) edit->setText(text);
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(widget_)) {
        if (memo->toPlainText() != text) memo->setPlainText(text);
    } else if (auto* rich = qobject_cast<QTextEdit*>(widget_)) {
        if (rich->toPlainText() != text) rich->setPlainText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget_)) {
        button->setText(text);
    }
    applying_ = false;
    if (control_.kind() == Kind::Memo || control_.kind() == Kind::RichEdit) applyAlignment();
    if (control_.autoSize) applyBounds();
}

void ControlView::applyBounds() {
    if (control_.dockedBottom) {
        // Full width of the parent, on its bottom edge, whatever the parent's size.
        const QWidget* parent = widget_->parentWidget();
        const int h = control_.height();
        widget_->setGeometry(0, parent->height() - h, parent->width(), h);
        return;
    }
    if (control_.autoSize && control_.kind() == Kind::Label) {
        const QSize hint = widget_->sizeHint();
        int left = control_.left();
        if (const forms::Control* before = control_.follows) {
            const QFontMetrics metrics(toQFont(before->font()));
            left = before->left() + metrics.horizontalAdvance(toWidgetText(before->text()));
        }
        widget_->setGeometry(left, control_.top(), hint.width(), hint.height());
        return;
    }
    widget_->setGeometry(control_.left(), control_.top(), control_.width(), control_.height());
}

void ControlView::applyFont() {
    const forms::Font& font = control_.font();
    widget_->setFont(toQFont(font));
    const QColor color = toQColor(font.color, QGuiApplication::palette());
    QPalette p = widget_->palette();
    const QPalette::ColorRole role = textRole(control_.kind());
    p.setColor(QPalette::Active, role, color);
    p.setColor(QPalette::Inactive, role, color);
    // A disabled label or button is drawn greyed whatever its colour; the
    // topic texts are disabled only to keep the user out, and read normally.
    if (control_.kind() == Kind::RichEdit) p.setColor(QPalette::Disabled, role, color);
    widget_->setPalette(p);
    if (control_.kind() == Kind::RichEdit) applyAlignment();
    if (control_.autoSize) applyBounds();
}

void ControlView::applyColor() {
    QPalette::ColorRole role;
    switch (control_.kind()) {
        case Kind::Panel: role = QPalette::Window; break;
        case Kind::Edit:
        case Kind::Memo:
        case Kind::RichEdit: role = QPalette::Base; break;
        // Labels, buttons and the rest show their parent's background.
        default: return;
    }
    QPalette p = widget_->palette();
    p.setColor(role, toQColor(control_.color(), QGuiApplication::palette()));
    widget_->setPalette(p);
    if (control_.kind() == Kind::Panel) widget_->setAutoFillBackground(true);
}

void ControlView::applyAlignment() {
    const Qt::Alignment h = horizontal(control_.alignment());
    if (auto* label = qobject_cast<QLabel*>(widget_)) {
        if (control_.kind() == Kind::Label) label->setAlignment(h | Qt::AlignTop);
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget_)) {
        edit->setAlignment(h | Qt::AlignVCenter);
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(widget_)) {
        applying_ = true;
        formatDocument(memo->document(), h, 0);
        applying_ = false;
    } else if (auto* rich = qobject_cast<QTextEdit*>(widget_)) {
        applying_ = true;
        formatDocument(rich->document(), h, windowsLineHeight(rich->font()));
        applying_ = false;
    }
}

void ControlView::applyCursor() {
    if (control_.cursor() == forms::Cursor::Hand)
        widget_->setCursor(Qt::PointingHandCursor);
    else
        widget_->unsetCursor();
}

void ControlView::applyChecked() {
    auto* radio = qobject_cast<QRadioButton*>(widget_);
    if (!radio || control_.kind() != Kind::RadioButton) return;
    const bool want = static_cast<forms::RadioButton&>(control_).checked();
    if (radio->isChecked() == want) return;
    applying_ = true;
    if (want) {
        radio->setChecked(true);
    } else {
        // An exclusive group never lets its checked button go by itself; the
        // model may uncheck them all.
        radio->setAutoExclusive(false);
        radio->setChecked(false);
        radio->setAutoExclusive(true);
    }
    applying_ = false;
}

void ControlView::applyProgress() {
    auto* bar = qobject_cast<QProgressBar*>(widget_);
    if (!bar) return;
    const auto& model = static_cast<const forms::ProgressBar&>(control_);
    bar->setRange(model.min(), model.max());
    bar->setValue(model.position());
}

bool ControlView::eventFilter(QObject* watched, QEvent* event) {
    if (watched != widget_) {
        // The parent of a control docked to its bottom edge was resized.
        if (event->type() == QEvent::Resize) applyBounds();
        return false;
    }
    if (!live()) return false;
    return widgetEvent(event);
}

bool ControlView::widgetEvent(QEvent* event) {
    switch (event->type()) {
        case QEvent::Enter: control_.mouseEnter(); break;
        case QEvent::Leave: control_.mouseLeave(); break;
        case QEvent::MouseButtonRelease: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (clicksByMouse(control_.kind()) && mouse->button() == Qt::LeftButton &&
                widget_->rect().contains(mouse->position().toPoint()))
                control_.click();
            break;
        }
        case QEvent::FocusIn: control_.focusMoved(window_.observerId()); break;
        case QEvent::KeyPress:
            if (isKey(event, {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}))
                return window_.keyFromWidget(static_cast<QKeyEvent*>(event)->key(), widget_);
            break;
        default: break;
    }
    return false;
}

}  // namespace qtui
