// What a renderer makes for each control: a view. The factory has one entry
// per control kind and every one of them is pure, so a new kind does not
// compile until every renderer can draw it. A control picks its own entry
// (Control::makeView), so no renderer switches over kinds.
#pragma once

#include <memory>

namespace forms {

class Form;
class Label;
class Edit;
class Memo;
class RichEdit;
class RadioButton;
class Panel;
class Bevel;
class Image;
class Button;
class BitBtn;
class ProgressBar;
class StatusBar;

// A renderer's drawing of one control; it observes the control and lives no
// longer than the renderer that made it.
class View {
public:
    virtual ~View() = default;
};

class ViewFactory {
public:
    virtual ~ViewFactory() = default;
    virtual std::unique_ptr<View> form(Form& form) = 0;
    virtual std::unique_ptr<View> label(Label& label) = 0;
    virtual std::unique_ptr<View> edit(Edit& edit) = 0;
    virtual std::unique_ptr<View> memo(Memo& memo) = 0;
    virtual std::unique_ptr<View> richEdit(RichEdit& richEdit) = 0;
    virtual std::unique_ptr<View> radioButton(RadioButton& radioButton) = 0;
    virtual std::unique_ptr<View> panel(Panel& panel) = 0;
    virtual std::unique_ptr<View> bevel(Bevel& bevel) = 0;
    virtual std::unique_ptr<View> image(Image& image) = 0;
    virtual std::unique_ptr<View> button(Button& button) = 0;
    virtual std::unique_ptr<View> bitBtn(BitBtn& bitBtn) = 0;
    virtual std::unique_ptr<View> progressBar(ProgressBar& progressBar) = 0;
    virtual std::unique_ptr<View> statusBar(StatusBar& statusBar) = 0;
};

}  // namespace forms
