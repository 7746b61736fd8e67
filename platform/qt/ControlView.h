// What every control's view does with its widget: mirrors the properties all
// kinds share (visibility, enabled state, placement, font, colour, cursor,
// repaint) and feeds what the user does (mouse, focus, Enter and Esc) back
// into the model under this view's observer id, so the change is not echoed
// back to the widget. Each kind's view adds its own text, alignment and
// value, and its own way of telling the model about a click or an edit.
#pragma once

#include <QObject>
#include <QPalette>
#include <QWidget>
#include <optional>

#include "platform/forms/Control.h"

namespace qtui {

class FormWindow;

class ControlView : public QObject, public forms::View {
public:
    ControlView(forms::Control& control, QWidget* widget, FormWindow& window);
    ~ControlView() override;

    QWidget* widget() const { return widget_; }

    void applyAll();
    void apply(forms::Prop prop);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

    virtual void applyText() {}
    virtual void applyAlignment() {}
    // A radio button's check or a progress bar's position.
    virtual void applyValue() {}
    virtual void applyFont();
    void applyTextColor();
    // True for kinds whose widget reports clicks by a signal of its own.
    virtual bool reportsOwnClicks() const { return false; }

    forms::Control& control_;
    QWidget* widget_;
    forms::ObserverId id_ = 0;
    // The palette roles the kind draws its text and its background with.
    QPalette::ColorRole textRole_ = QPalette::WindowText;
    std::optional<QPalette::ColorRole> backgroundRole_;
    // Set while the model's state is written into the widget, so the
    // widget's change signals are not taken for the user's.
    bool applying_ = false;

private:
    void applyBounds();
    void applyColor();
    void applyCursor();
    void repaintNow();
    bool widgetEvent(QEvent* event);

    FormWindow& window_;
};

}  // namespace qtui
