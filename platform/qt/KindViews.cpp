#include "platform/qt/KindViews.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTextCursor>
#include <QTextEdit>
#include <cmath>
#include <limits>
#include <type_traits>

#include "platform/qt/Accessibility.h"
#include "platform/qt/BevelWidget.h"
#include "platform/qt/Look.h"
#include "platform/qt/PanelWidget.h"
#include "platform/qt/StatusBarWidget.h"

namespace qtui {

namespace {

// The room an edit control keeps around its text; a rich edit box uses its
// whole height, so a six-line topic fits the box it was written for.
constexpr int MemoMargin = 1;
constexpr int RichEditMargin = 0;

Qt::Alignment horizontal(forms::Alignment a) {
    switch (a) {
        case forms::Alignment::Center: return Qt::AlignHCenter;
        case forms::Alignment::Right: return Qt::AlignRight;
        case forms::Alignment::Left: break;
    }
    return Qt::AlignLeft;
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

// A radio button takes a click anywhere in its bounds, as a native one does,
// not only on its circle and caption.
class RadioButtonWidget : public QRadioButton {
public:
    using QRadioButton::QRadioButton;

protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

// A push button that shows its focus however it got it. Qt's styles draw a
// button's focus only after the keyboard moved it there, and some not at all
// on a default button; the focus a form gives a button is as much for the
// user to see. The dotted frame inside the edge is the one Windows draws.
class PushButtonWidget : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent* event) override {
        QPushButton::paintEvent(event);
        if (hasFocus())
            drawFocusFrame(*this, rect().adjusted(FocusInset, FocusInset, -FocusInset, -FocusInset),
                           palette().color(QPalette::ButtonText));
    }

private:
    static constexpr int FocusInset = 4;
};

QWidget* makeLabel(forms::Label& c, QWidget* parent) {
    QLabel* label = c.link ? new LinkLabel(parent) : new QLabel(parent);
    if (c.link) static_cast<LinkLabel*>(label)->activate = [&c] { c.click(); };
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(false);
    label->setMargin(0);
    label->setIndent(0);
    return label;
}

QWidget* makeEdit(const forms::Control& c, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setMaxLength(std::numeric_limits<int>::max());
    edit->setFrame(c.border);
    edit->setReadOnly(c.readOnly);
    return edit;
}

// Memos and rich edit boxes share their static look; Tab moves on through
// the form, as in the forms' own memos.
template <class W>
W* makeTextBox(const forms::Control& c, QWidget* parent, int margin) {
    auto* box = new W(parent);
    box->setReadOnly(c.readOnly);
    box->setFrameShape(c.border ? QFrame::StyledPanel : QFrame::NoFrame);
    box->setLineWrapMode(c.wordWrap ? W::WidgetWidth : W::NoWrap);
    box->setVerticalScrollBarPolicy(c.verticalScrollBar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setTabChangesFocus(true);
    box->document()->setDocumentMargin(margin);
    if (c.readOnly)
        box->setTextInteractionFlags(c.selectable ? Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard
                                                  : Qt::NoTextInteraction);
    return box;
}

QWidget* makeImage(const forms::Image& c, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setPixmap(QPixmap::fromImage(toQImage(c.picture)));
    return label;
}

QWidget* makeButton(const forms::Button& c, QWidget* parent) {
    auto* button = new PushButtonWidget(parent);
    // Enter is the form's business (the model presses its default button);
    // Qt's own default-button handling stays off, only the look is kept.
    button->setAutoDefault(false);
    button->setDefault(c.isDefault);
    return button;
}

QWidget* makeStatusBar(const forms::StatusBar& c, QWidget* parent) {
    auto* bar = new StatusBarWidget(parent);
    bar->setPaneEdges(c.panelRightEdges());
    return bar;
}

}  // namespace

LabelView::LabelView(forms::Label& c, QWidget* parent, FormWindow& window)
    : ControlView(c, makeLabel(c, parent), window) {}

void LabelView::applyText() { static_cast<QLabel*>(widget_)->setText(toWidgetText(control_.text())); }

void LabelView::applyAlignment() {
    static_cast<QLabel*>(widget_)->setAlignment(horizontal(control_.alignment()) | Qt::AlignTop);
}

EditView::EditView(forms::Edit& c, QWidget* parent, FormWindow& window) : ControlView(c, makeEdit(c, parent), window) {
    textRole_ = QPalette::Text;
    backgroundRole_ = QPalette::Base;
    connect(static_cast<QLineEdit*>(widget_), &QLineEdit::textEdited, this, [this](const QString& text) {
        if (!applying_) control_.textEdited(toModelText(text), id_);
    });
}

void EditView::applyText() {
    auto* edit = static_cast<QLineEdit*>(widget_);
    const QString text = toWidgetText(control_.text());
    applying_ = true;
    if (edit->text() != text) edit->setText(text);
    applying_ = false;
}

void EditView::applyAlignment() {
    static_cast<QLineEdit*>(widget_)->setAlignment(horizontal(control_.alignment()) | Qt::AlignVCenter);
}

template <class Box>
constexpr bool IsRich = std::is_same_v<Box, QTextEdit>;

template <class Box>
TextBoxView<Box>::TextBoxView(forms::Control& c, QWidget* parent, FormWindow& window)
    : ControlView(c, makeTextBox<Box>(c, parent, IsRich<Box> ? RichEditMargin : MemoMargin), window) {
    textRole_ = QPalette::Text;
    backgroundRole_ = QPalette::Base;
    auto* box = static_cast<Box*>(widget_);
    if constexpr (IsRich<Box>) box->setAcceptRichText(false);
    connect(box, &Box::textChanged, this, [this, box] {
        if (!applying_) control_.textEdited(toModelText(box->toPlainText()), id_);
    });
}

template <class Box>
void TextBoxView<Box>::applyText() {
    auto* box = static_cast<Box*>(widget_);
    applying_ = true;
    if (const QString text = toWidgetText(control_.text()); box->toPlainText() != text) box->setPlainText(text);
    applying_ = false;
    applyAlignment();
}

template <class Box>
void TextBoxView<Box>::applyAlignment() {
    auto* box = static_cast<Box*>(widget_);
    applying_ = true;
    formatDocument(box->document(), horizontal(control_.alignment()), IsRich<Box> ? windowsLineHeight(box->font()) : 0);
    applying_ = false;
}

template <class Box>
void TextBoxView<Box>::applyFont() {
    ControlView::applyFont();
    if constexpr (IsRich<Box>) {
        // The topic texts are disabled only to keep the user out, and read
        // normally, not greyed.
        QPalette p = widget_->palette();
        p.setColor(QPalette::Disabled, textRole_, p.color(QPalette::Active, textRole_));
        widget_->setPalette(p);
    }
    applyAlignment();
}

template class TextBoxView<QPlainTextEdit>;
template class TextBoxView<QTextEdit>;

RadioButtonView::RadioButtonView(forms::RadioButton& c, QWidget* parent, FormWindow& window)
    : ControlView(c, new RadioButtonWidget(parent), window), radio_(c) {
    connect(static_cast<QRadioButton*>(widget_), &QRadioButton::toggled, this, [this](bool on) {
        if (applying_ || !on) return;
        radio_.checkedByUser(id_);
        // The model may refuse (the button is out of reach): show its answer.
        applyValue();
    });
}

void RadioButtonView::applyText() { static_cast<QRadioButton*>(widget_)->setText(toWidgetText(control_.text())); }

void RadioButtonView::applyValue() {
    auto* radio = static_cast<QRadioButton*>(widget_);
    if (radio->isChecked() == radio_.checked()) return;
    applying_ = true;
    if (radio_.checked()) {
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

ButtonView::ButtonView(forms::Button& c, QWidget* parent, FormWindow& window)
    : ControlView(c, makeButton(c, parent), window) {
    textRole_ = QPalette::ButtonText;
    connect(static_cast<QPushButton*>(widget_), &QPushButton::clicked, this, [this] { control_.click(); });
}

void ButtonView::applyText() { static_cast<QPushButton*>(widget_)->setText(toWidgetText(control_.text())); }

PanelView::PanelView(forms::Panel& c, QWidget* parent, FormWindow& window)
    : ControlView(c, new PanelWidget(c, parent), window) {
    backgroundRole_ = QPalette::Window;
}

BevelView::BevelView(forms::Bevel& c, QWidget* parent, FormWindow& window)
    : ControlView(c, new BevelWidget(parent), window) {}

ImageView::ImageView(forms::Image& c, QWidget* parent, FormWindow& window) : ControlView(c, makeImage(c, parent), window) {}

ProgressBarView::ProgressBarView(forms::ProgressBar& c, QWidget* parent, FormWindow& window)
    : ControlView(c, new QProgressBar(parent), window), bar_(c) {
    static_cast<QProgressBar*>(widget_)->setTextVisible(false);
}

void ProgressBarView::applyValue() {
    auto* bar = static_cast<QProgressBar*>(widget_);
    bar->setRange(bar_.min(), bar_.max());
    bar->setValue(bar_.position());
}

StatusBarView::StatusBarView(forms::StatusBar& c, QWidget* parent, FormWindow& window)
    : ControlView(c, makeStatusBar(c, parent), window) {}

}  // namespace qtui
