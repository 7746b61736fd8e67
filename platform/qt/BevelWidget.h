// A bevel drawn as one lowered line along its bottom edge, the separator
// a dialog puts above its button row.
#pragma once

#include <QWidget>

namespace qtui {

class BevelWidget : public QWidget {
public:
    explicit BevelWidget(QWidget* parent) : QWidget(parent) {}

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace qtui
