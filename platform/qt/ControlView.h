// Binds one control of the model to its widget: mirrors every property the
// model announces, and feeds what the user does (clicks, typing, checking,
// focus, hovering, Enter and Esc) back into the model under this view's
// observer id, so the change is not echoed back to the widget.
#pragma once

#include <QObject>
#include <QWidget>

#include "platform/forms/Control.h"

namespace qtui {

class FormWindow;

class ControlView : public QObject {
public:
    ControlView(forms::Control& control, QWidget* widget, FormWindow& window);

    forms::Control& control() const { return control_; }
    QWidget* widget() const { return widget_; }
    forms::ObserverId observerId() const { return id_; }

    void applyAll();
    void apply(forms::Prop prop);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectSignals();
    void applyText();
    void applyBounds();
    void applyFont();
    void applyColor();
    void applyAlignment();
    void applyCursor();
    void applyChecked();
    void applyProgress();
    void repaintNow();
    bool widgetEvent(QEvent* event);
    // False once the window stopped feeding the model (it is going away).
    bool live() const;

    forms::Control& control_;
    QWidget* widget_;
    FormWindow& window_;
    forms::ObserverId id_ = 0;
    // Set while the model's state is written into the widget, so the
    // widget's change signals are not taken for the user's.
    bool applying_ = false;
};

}  // namespace qtui
