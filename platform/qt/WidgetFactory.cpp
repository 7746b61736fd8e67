#include "platform/qt/WidgetFactory.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <limits>

#include "platform/forms/Controls.h"
#include "platform/qt/BevelWidget.h"
#include "platform/qt/Look.h"
#include "platform/qt/StatusBarWidget.h"

namespace qtui {

namespace {

using forms::Control;
using forms::Kind;

// The room an edit control keeps around its text; a rich edit box uses its
// whole height, so a six-line topic fits the box it was written for.
constexpr int MemoMargin = 1;
constexpr int RichEditMargin = 0;

// A radio button takes a click anywhere in its bounds, as a native one does,
// not only on its circle and caption.
class RadioButtonWidget : public QRadioButton {
public:
    using QRadioButton::QRadioButton;

protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

QWidget* makeLabel(const Control&, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(false);
    label->setMargin(0);
    label->setIndent(0);
    return label;
}

QWidget* makeEdit(const Control& c, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setMaxLength(std::numeric_limits<int>::max());
    edit->setFrame(c.border);
    edit->setReadOnly(c.readOnly);
    return edit;
}

QWidget* makeMemo(const Control& c, QWidget* parent) {
    auto* memo = new QPlainTextEdit(parent);
    memo->setReadOnly(c.readOnly);
    memo->setFrameShape(c.border ? QFrame::StyledPanel : QFrame::NoFrame);
    memo->setLineWrapMode(c.wordWrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    memo->setVerticalScrollBarPolicy(c.verticalScrollBar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Tab moves on through the form, as in the forms' own memos.
    memo->setTabChangesFocus(true);
    memo->document()->setDocumentMargin(MemoMargin);
    if (c.readOnly) memo->setTextInteractionFlags(Qt::NoTextInteraction);
    return memo;
}

QWidget* makeRichEdit(const Control& c, QWidget* parent) {
    auto* rich = new QTextEdit(parent);
    rich->setReadOnly(c.readOnly);
    rich->setAcceptRichText(false);
    rich->setFrameShape(c.border ? QFrame::StyledPanel : QFrame::NoFrame);
    rich->setLineWrapMode(c.wordWrap ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
    rich->setVerticalScrollBarPolicy(c.verticalScrollBar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    rich->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    rich->setTabChangesFocus(true);
    rich->document()->setDocumentMargin(RichEditMargin);
    if (c.readOnly) rich->setTextInteractionFlags(Qt::NoTextInteraction);
    return rich;
}

QWidget* makePanel(const Control& c, QWidget* parent) {
    auto* panel = new QFrame(parent);
    if (c.border) {
        panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
        panel->setLineWidth(1);
    } else {
        panel->setFrameStyle(QFrame::NoFrame);
    }
    panel->setAutoFillBackground(true);
    return panel;
}

QWidget* makeImage(const Control& c, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setPixmap(QPixmap::fromImage(toQImage(static_cast<const forms::Image&>(c).picture)));
    return label;
}

QWidget* makeButton(const Control& c, QWidget* parent) {
    auto* button = new QPushButton(parent);
    // Enter is the form's business (the model presses its default button);
    // Qt's own default-button handling stays off, only the look is kept.
    button->setAutoDefault(false);
    button->setDefault(static_cast<const forms::Button&>(c).isDefault);
    return button;
}

QWidget* makeProgressBar(const Control& c, QWidget* parent) {
    auto* bar = new QProgressBar(parent);
    const auto& model = static_cast<const forms::ProgressBar&>(c);
    bar->setTextVisible(false);
    bar->setRange(model.min(), model.max());
    bar->setValue(model.position());
    return bar;
}

QWidget* makeStatusBar(const Control& c, QWidget* parent) {
    auto* bar = new StatusBarWidget(parent);
    bar->setPaneWidths(static_cast<const forms::StatusBar&>(c).panelWidths);
    return bar;
}

}  // namespace

QWidget* createWidget(const Control& c, QWidget* parent) {
    QWidget* w = nullptr;
    switch (c.kind()) {
        case Kind::Label: w = makeLabel(c, parent); break;
        case Kind::Edit: w = makeEdit(c, parent); break;
        case Kind::Memo: w = makeMemo(c, parent); break;
        case Kind::RichEdit: w = makeRichEdit(c, parent); break;
        case Kind::RadioButton: w = new RadioButtonWidget(parent); break;
        case Kind::Panel: w = makePanel(c, parent); break;
        case Kind::Bevel: w = new BevelWidget(parent); break;
        case Kind::Image: w = makeImage(c, parent); break;
        case Kind::Button:
        case Kind::BitBtn: w = makeButton(c, parent); break;
        case Kind::ProgressBar: w = makeProgressBar(c, parent); break;
        case Kind::StatusBar: w = makeStatusBar(c, parent); break;
        case Kind::Form: w = new QWidget(parent); break;
    }
    w->setObjectName(QString::fromStdString(c.name()));
    w->setFocusPolicy(c.tabStop ? Qt::StrongFocus : Qt::NoFocus);
    return w;
}

bool clicksByMouse(Kind kind) {
    return kind == Kind::Label || kind == Kind::Image || kind == Kind::Panel || kind == Kind::Bevel;
}

}  // namespace qtui
