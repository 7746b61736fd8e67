#include "platform/qt/StatusBarWidget.h"

#include <algorithm>

namespace qtui {

namespace {
// Room between the bar's top edge and its panes, and between two panes, as a
// status bar leaves it.
constexpr int TopGap = 2;
constexpr int PaneGap = 2;
}  // namespace

void StatusBarWidget::setPaneEdges(const std::vector<int>& rightEdges) {
    for (QLabel* pane : panes_) delete pane;
    panes_.clear();
    edges_ = rightEdges;
    for (std::size_t i = 0; i < edges_.size(); ++i) {
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
    int left = 0;
    for (std::size_t i = 0; i < panes_.size(); ++i) {
        // Each pane ends at its edge; the next begins after the gap.
        panes_[i]->setGeometry(left, TopGap, std::max(edges_[i] - left, 0), height() - TopGap);
        panes_[i]->show();
        left = edges_[i] + PaneGap;
    }
}

}  // namespace qtui
