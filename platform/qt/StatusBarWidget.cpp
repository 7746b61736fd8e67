#include "platform/qt/StatusBarWidget.h"

namespace qtui {

namespace {
// Room between the bar's top edge and its panes, as a status bar leaves it.
constexpr int TopGap = 2;
}  // namespace

void StatusBarWidget::setPaneWidths(const std::vector<int>& widths) {
    for (QLabel* pane : panes_) delete pane;
    panes_.clear();
    widths_ = widths;
    for (std::size_t i = 0; i < widths_.size(); ++i) {
        auto* pane = new QLabel(this);
        pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        pane->setLineWidth(1);
        pane->setObjectName(QStringLiteral("pane%1").arg(i));
        panes_.push_back(pane);
    }
    placePanes();
}

void StatusBarWidget::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    placePanes();
}

void StatusBarWidget::placePanes() {
    int x = 0;
    for (std::size_t i = 0; i < panes_.size(); ++i) {
        // Each pane ends where the next begins, less a 2-pixel gap.
        const int w = widths_[i];
        panes_[i]->setGeometry(x, TopGap, w > 2 ? w - 2 : w, height() - TopGap);
        panes_[i]->show();
        x += w;
    }
}

}  // namespace qtui
