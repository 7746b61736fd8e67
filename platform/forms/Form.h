// A top-level window of the model. It owns its controls, menu and timers,
// keeps the keyboard focus and routes Enter and Esc to its default and cancel
// buttons. It decides what happens when it is shown: whether it is centred,
// and which control has the focus.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms/Control.h"
#include "platform/forms/Controls.h"
#include "platform/forms/Menu.h"
#include "platform/forms/Timer.h"

namespace forms {

class Application;

class Form : public Control {
public:
    Form(Application& app, std::string name);
    ~Form() override;

    std::unique_ptr<View> makeView(ViewFactory& f) override { return f.form(*this); }

    Application& application() { return app_; }

    // Creates a control owned by this form; creation order is stacking order.
    template <class T>
    T& make(std::string name, Control* parent = nullptr) {
        auto owned = std::make_unique<T>(std::move(name), parent ? parent : this);
        T& c = *owned;
        c.setFont(parent ? parent->font() : font());
        controls_.push_back(std::move(owned));
        return c;
    }
    MainMenu& makeMenu(std::string name);
    Timer& makeTimer(std::string name);

    // Every control in creation order.
    std::vector<Control*> controls() const;
    Control* find(const std::string& name) const;
    MainMenu* menu() const { return menu_.get(); }
    const std::vector<std::unique_ptr<Timer>>& timers() const { return timers_; }

    // Client area. Changing the outer height moves the client height with it,
    // as the framework does.
    int clientWidth() const { return clientWidth_; }
    int clientHeight() const { return clientHeight_; }
    void setClientSize(int w, int h);
    void setHeight(int outer) override;
    Size innerSize() const override { return {clientWidth_, clientHeight_}; }

    BorderStyle borderStyle = BorderStyle::Single;
    bool maximizeBox = true;
    Frame frame() const;

    // Where the form appears: centred on the screen the first time it is
    // shown and left where it is after that, or centred each time it is
    // shown from hidden.
    enum class Centring { FirstShow, EachShow };
    Centring centring = Centring::FirstShow;
    // True while the form, just shown from hidden, is to be centred. A
    // renderer asks when it shows the window; a form that is already
    // visible is neither raised nor moved.
    bool centredNow() const { return visible() && (shows_ == 1 || centring == Centring::EachShow); }
    // How often the form has been shown from hidden.
    int shows() const { return shows_; }

    FormStyle formStyle() const { return formStyle_; }
    void setFormStyle(FormStyle s);
    // Shown from hidden while another of the application's forms stays on
    // top (the main window's launch layout), a form stays on top too while
    // it is shown: otherwise it would come up behind that form, unseen, with
    // the keys going to it. Part of the frame (`Frame::stayOnTop`).
    bool aboveTopmost() const { return aboveTopmost_; }
    WindowState windowState() const { return windowState_; }
    void setWindowState(WindowState s, ObserverId origin = FromProgram);

    // The control with the keyboard focus. When it becomes unreachable
    // while the form is visible, the next control in keyboard order that
    // can takes it (as Tab would from there); when it cannot take the focus
    // as the form is shown, the first that can.
    Control* activeControl() const { return active_; }
    void FocusControl(Control& c);
    void focusMovedFromWidget(Control& c, ObserverId origin);
    Button* defaultButton() const;
    Button* cancelButton() const;
    // The button Enter presses, drawn as such: the focused button, else the
    // default button.
    Control* enterButton() const;
    // The controls Tab goes through, in order.
    std::vector<Control*> keyboardOrder() const;

    // Keyboard: Enter clicks the focused link, or presses the focused
    // button, else the default button, except in a memo the user can type
    // into, where it starts a new line: false then, and the renderer lets
    // the widget have the key. Esc runs `onEscape` where the form has one,
    // else presses the cancel button. Space clicks the focused link (false
    // elsewhere: a button's own widget presses it on Space).
    bool keyEnter(const Control* from = nullptr);
    void keyEscape();
    bool keySpace(const Control* from);
    Handler onEscape;
    // Tab and Shift+Tab from `from` (null: from outside the form's
    // controls): the next stop in keyboard order takes the focus.
    void keyTab(const Control* from, bool backwards);
    // An arrow key on a radio button: the next button of its group takes the
    // focus and is checked, as the user's choice. False when `from` is not a
    // radio button, whose widget keeps the key.
    bool keyArrow(const Control* from, bool backwards);

    // The title bar's close box (and Alt+F4, the window manager's close);
    // refused while the application holds the loop.
    void closeBox();
    void Close();

    // Runs once, after the form and all its controls exist.
    virtual void FormCreate() {}

    // A control of this form was hidden or disabled: moves the focus on to
    // the next stop in keyboard order if it was the focused one. While a
    // handler of the form runs (`Handling`), the review waits for its end,
    // so that it sees the controls as the handler leaves them.
    void reviewFocus();
    class Handling {
    public:
        explicit Handling(Form& form) : form_(form) { ++form_.handling_; }
        ~Handling();
        Handling(const Handling&) = delete;
        Handling& operator=(const Handling&) = delete;

    private:
        Form& form_;
    };

    // The form's windows are built when it is first shown, not at start-up:
    // until then `firstShow` is what builds them (set by the application).
    void awaitFirstShow(std::function<void()> firstShow) { firstShow_ = std::move(firstShow); }

protected:
    void visibilityChanged() override;
    void aboutToShow() override;

private:
    void focusFirstThatCan();
    void setAboveTopmost(bool above);

    Application& app_;
    std::vector<std::unique_ptr<Control>> controls_;
    std::unique_ptr<MainMenu> menu_;
    std::vector<std::unique_ptr<Timer>> timers_;
    int clientWidth_ = 0, clientHeight_ = 0;
    FormStyle formStyle_ = FormStyle::Normal;
    bool aboveTopmost_ = false;
    WindowState windowState_ = WindowState::Normal;
    Control* active_ = nullptr;
    int shows_ = 0;
    int handling_ = 0;
    bool reviewWaits_ = false;
    std::function<void()> firstShow_;
};

}  // namespace forms
