// A status bar of sunken panes, left to right, each ending at its right edge.
#pragma once

#include <QFrame>
#include <QLabel>
#include <vector>

namespace qtui {

class StatusBarWidget : public QFrame {
public:
    explicit StatusBarWidget(QWidget* parent) : QFrame(parent) {}
    void setPaneEdges(const std::vector<int>& rightEdges);
    const std::vector<QLabel*>& panes() const { return panes_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void placePanes();
    std::vector<int> edges_;
    std::vector<QLabel*> panes_;
};

}  // namespace qtui
