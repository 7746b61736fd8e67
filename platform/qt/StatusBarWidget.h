// A status bar of fixed-width sunken panes, left to right.
#pragma once

#include <QFrame>
#include <QLabel>
#include <vector>

namespace qtui {

class StatusBarWidget : public QFrame {
public:
    explicit StatusBarWidget(QWidget* parent) : QFrame(parent) {}
    void setPaneWidths(const std::vector<int>& widths);
    const std::vector<QLabel*>& panes() const { return panes_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void placePanes();
    std::vector<int> widths_;
    std::vector<QLabel*> panes_;
};

}  // namespace qtui
