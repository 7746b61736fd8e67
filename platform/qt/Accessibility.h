// What the forms tell a screen reader beyond what Qt's widgets tell of
// themselves: a label that acts as a link is a link, with a press action and
// a focus mark; a form's window is a frame (the main window) or a dialog; a
// panel is a group, not a frame.
#pragma once

#include <QLabel>
#include <functional>

namespace qtui {

class LinkLabel : public QLabel {
public:
    using QLabel::QLabel;
    // What a press does: the model's click.
    std::function<void()> activate;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// Once per process, before the first window is shown.
void installAccessibility();

}  // namespace qtui
