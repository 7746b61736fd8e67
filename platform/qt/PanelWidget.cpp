#include "platform/qt/PanelWidget.h"

#include <QPainter>

namespace qtui {

PanelWidget::PanelWidget(const forms::Panel& panel, QWidget* parent)
    : QFrame(parent), singleLine_(panel.border && panel.edge == forms::Panel::Edge::SingleLine) {
    // A raised frame is Qt's own; a single line is drawn here, since a plain
    // frame takes the text colour, which the panel passes on to its labels.
    if (panel.border && !singleLine_) {
        setFrameStyle(QFrame::Panel | QFrame::Raised);
        setLineWidth(1);
    } else {
        setFrameStyle(QFrame::NoFrame);
    }
    setAutoFillBackground(true);
}

void PanelWidget::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    if (!singleLine_) return;
    // The shadow colour shows on a white form as on a grey one.
    QPainter p(this);
    p.setPen(palette().color(QPalette::Dark));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace qtui
