#include "platform/qt/BevelWidget.h"

#include <QPainter>

namespace qtui {

void BevelWidget::paintEvent(QPaintEvent*) {
    if (height() < 2) return;
    QPainter p(this);
    const int bottom = height() - 1;
    // Shadow above highlight reads as a groove on any background.
    p.setPen(palette().color(QPalette::Dark));
    p.drawLine(0, bottom - 1, width() - 1, bottom - 1);
    p.setPen(palette().color(QPalette::Light));
    p.drawLine(0, bottom, width() - 1, bottom);
}

}  // namespace qtui
