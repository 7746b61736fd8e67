// A panel: its background, and its border as the model names it.
#pragma once

#include <QFrame>

#include "platform/forms/Controls.h"

namespace qtui {

class PanelWidget : public QFrame {
public:
    PanelWidget(const forms::Panel& panel, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool singleLine_;
};

}  // namespace qtui
