// One view per control kind: the widget it draws with, and what that kind
// mirrors and reports beyond what every view does.
#pragma once

#include "platform/forms/Controls.h"
#include "platform/qt/ControlView.h"

class QPlainTextEdit;
class QTextEdit;

namespace qtui {

class LabelView : public ControlView {
public:
    LabelView(forms::Label& label, QWidget* parent, FormWindow& window);

private:
    void applyText() override;
    void applyAlignment() override;
};

class EditView : public ControlView {
public:
    EditView(forms::Edit& edit, QWidget* parent, FormWindow& window);

private:
    void applyText() override;
    void applyAlignment() override;
};

// A memo (plain text) or a rich edit box: what the user types goes back to
// the model.
template <class Box>
class TextBoxView : public ControlView {
public:
    TextBoxView(forms::Control& box, QWidget* parent, FormWindow& window);

private:
    void applyText() override;
    void applyAlignment() override;
    void applyFont() override;
};
using MemoView = TextBoxView<QPlainTextEdit>;
using RichEditView = TextBoxView<QTextEdit>;

class RadioButtonView : public ControlView {
public:
    RadioButtonView(forms::RadioButton& radio, QWidget* parent, FormWindow& window);

private:
    void applyText() override;
    void applyValue() override;
    bool reportsOwnClicks() const override { return true; }
    forms::RadioButton& radio_;
};

class ButtonView : public ControlView {
public:
    ButtonView(forms::Button& button, QWidget* parent, FormWindow& window);

private:
    void applyText() override;
    bool reportsOwnClicks() const override { return true; }
};

class PanelView : public ControlView {
public:
    PanelView(forms::Panel& panel, QWidget* parent, FormWindow& window);
};

class BevelView : public ControlView {
public:
    BevelView(forms::Bevel& bevel, QWidget* parent, FormWindow& window);
};

class ImageView : public ControlView {
public:
    ImageView(forms::Image& image, QWidget* parent, FormWindow& window);
};

class ProgressBarView : public ControlView {
public:
    ProgressBarView(forms::ProgressBar& bar, QWidget* parent, FormWindow& window);

private:
    void applyValue() override;
    forms::ProgressBar& bar_;
};

class StatusBarView : public ControlView {
public:
    StatusBarView(forms::StatusBar& bar, QWidget* parent, FormWindow& window);
};

}  // namespace qtui
