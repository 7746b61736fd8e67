// A top-level window of the model. It owns its controls, menu and timers,
// keeps the keyboard focus and routes Enter and Esc to its default and cancel
// buttons.
#pragma once

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

    BorderStyle borderStyle = BorderStyle::Single;
    bool maximizeBox = true;
    bool centered = true;

    FormStyle formStyle() const { return formStyle_; }
    void setFormStyle(FormStyle s);
    WindowState windowState() const { return windowState_; }
    void setWindowState(WindowState s, ObserverId origin = FromProgram);

    Control* activeControl() const { return active_; }
    void FocusControl(Control& c);
    void focusMovedFromWidget(Control& c, ObserverId origin);
    Button* defaultButton() const;
    Button* cancelButton() const;

    // Keyboard: Enter presses the focused button, else the default button;
    // Esc presses the cancel button.
    void keyEnter();
    void keyEscape();

    // The title bar's close box, and the program's own Close.
    void closeBox();
    void Close();

    // Runs once, after the form and all its controls exist.
    virtual void FormCreate() {}

private:
    Application& app_;
    std::vector<std::unique_ptr<Control>> controls_;
    std::unique_ptr<MainMenu> menu_;
    std::vector<std::unique_ptr<Timer>> timers_;
    int clientWidth_ = 0, clientHeight_ = 0;
    FormStyle formStyle_ = FormStyle::Normal;
    WindowState windowState_ = WindowState::Normal;
    Control* active_ = nullptr;
};

}  // namespace forms
