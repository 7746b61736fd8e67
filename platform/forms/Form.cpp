#include "platform/forms/Form.h"

#include "platform/forms/Application.h"
#include "platform/forms/KeyboardOrder.h"

namespace forms {

Form::Form(Application& app, std::string name) : Control(Kind::Form, std::move(name), nullptr), app_(app) {
    setVisible(false);
}

Form::~Form() = default;

MainMenu& Form::makeMenu(std::string name) {
    menu_ = std::make_unique<MainMenu>(*this, std::move(name));
    return *menu_;
}

Timer& Form::makeTimer(std::string name) {
    timers_.push_back(std::make_unique<Timer>(*this, std::move(name)));
    return *timers_.back();
}

std::vector<Control*> Form::controls() const {
    std::vector<Control*> all;
    all.reserve(controls_.size());
    for (const auto& c : controls_) all.push_back(c.get());
    return all;
}

Control* Form::find(const std::string& name) const {
    for (const auto& c : controls_)
        if (c->name() == name) return c.get();
    return nullptr;
}

void Form::setClientSize(int w, int h) {
    clientWidth_ = w;
    clientHeight_ = h;
    dockChildren();
}

void Form::setHeight(int outer) {
    const int delta = outer - height();
    if (delta == 0) return;
    clientHeight_ += delta;
    Control::setHeight(outer);
}

void Form::setFormStyle(FormStyle s) {
    if (formStyle_ == s) return;
    formStyle_ = s;
    changed(Prop::FormStyle);
}

void Form::setWindowState(WindowState s, ObserverId origin) {
    if (windowState_ == s) return;
    windowState_ = s;
    changed(Prop::WindowState, origin);
}

void Form::FocusControl(Control& c) {
    if (active_ == &c) {
        changed(Prop::Focus);  // the renderer may have lost it; ask again
        return;
    }
    active_ = &c;
    changed(Prop::Focus);
}

void Form::focusMovedFromWidget(Control& c, ObserverId origin) {
    if (active_ == &c || !acceptsInput()) return;
    active_ = &c;
    changed(Prop::Focus, origin);
}

std::vector<Control*> Form::keyboardOrder() const { return forms::keyboardOrder(*this); }

void Form::focusFirstThatCan() {
    // With no control that can take it, the focus stays where it was.
    for (Control* c : keyboardOrder())
        if (c->canFocus()) {
            FocusControl(*c);
            return;
        }
}

void Form::reviewFocus() {
    if (handling_ > 0) {
        reviewWaits_ = true;
        return;
    }
    if (!visible() || !active_ || active_->canFocus()) return;
    // With no control that can take it, the focus stays where it was.
    if (Control* next = nextTabStop(*this, active_, false)) FocusControl(*next);
}

Form::Handling::~Handling() {
    if (--form_.handling_ > 0 || !form_.reviewWaits_) return;
    form_.reviewWaits_ = false;
    form_.reviewFocus();
}

// The renderer builds the windows from the model as it stands, so every
// property set while the form was hidden is there when it first appears.
void Form::setAboveTopmost(bool above) {
    if (aboveTopmost_ == above) return;
    aboveTopmost_ = above;
    changed(Prop::FormStyle);
}

// Decided afresh at each show; a hidden form's frame is nobody's concern.
void Form::aboutToShow() {
    bool topmostShown = false;
    for (const auto& other : app_.forms())
        topmostShown = topmostShown || (other.get() != this && other->visible() &&
                                        other->formStyle() == FormStyle::StayOnTop);
    setAboveTopmost(topmostShown && formStyle_ != FormStyle::StayOnTop);
    if (!firstShow_) return;
    const std::function<void()> build = std::move(firstShow_);
    firstShow_ = nullptr;
    build();
}

void Form::visibilityChanged() {
    if (!visible()) return;
    ++shows_;
    if (!active_ || !active_->canFocus()) focusFirstThatCan();
}

namespace {
Button* findButton(const std::vector<Control*>& all, bool Button::*flag) {
    for (Control* c : all)
        if ((c->kind() == Kind::Button || c->kind() == Kind::BitBtn) && static_cast<Button*>(c)->*flag)
            return static_cast<Button*>(c);
    return nullptr;
}
}  // namespace

Button* Form::defaultButton() const { return findButton(controls(), &Button::isDefault); }
Button* Form::cancelButton() const { return findButton(controls(), &Button::isCancel); }

Frame Form::frame() const {
    Frame f;
    f.stayOnTop = formStyle() == FormStyle::StayOnTop || aboveTopmost_;
    switch (borderStyle) {
    case BorderStyle::Single:
        f.minimizeBox = true;
        f.maximizeBox = maximizeBox;
        break;
    case BorderStyle::Dialog: f.dialog = true; break;
    case BorderStyle::SizeToolWin:
        f.sizeable = true;
        f.tool = true;
        break;
    }
    return f;
}

Control* Form::enterButton() const {
    if (active_ && (active_->kind() == Kind::Button || active_->kind() == Kind::BitBtn) && active_->reachable())
        return active_;
    return defaultButton();
}

bool Form::keyEnter(const Control* from) {
    if (from && from->kind() == Kind::Memo && !from->readOnly) return false;
    if (keySpace(from)) return true;
    if (Control* b = enterButton()) b->click();
    return true;
}

void Form::keyEscape() {
    if (onEscape)
        fire(onEscape);
    else if (Button* b = cancelButton())
        b->click();
}

bool Form::keySpace(const Control* from) {
    if (!from || !from->link) return false;
    for (const auto& c : controls_)
        if (c.get() == from) {
            c->click();
            return true;
        }
    return false;
}

void Form::keyTab(const Control* from, bool backwards) {
    if (Control* next = nextTabStop(*this, from, backwards)) FocusControl(*next);
}

bool Form::keyArrow(const Control* from, bool backwards) {
    if (!from || from->kind() != Kind::RadioButton) return false;
    if (Control* next = nextInRadioGroup(*this, *from, backwards)) {
        FocusControl(*next);
        static_cast<RadioButton*>(next)->checkedByUser(FromProgram);
    }
    return true;
}

// The close box asks the model: a secondary form hides, the main form ends
// the program. While a handler holds the loop nothing closes: the request
// would hide a result nobody has seen, or end the program mid-run.
void Form::closeBox() {
    if (app_.holding()) return;
    app_.dispatch([this] { Close(); });
}

void Form::Close() {
    if (app_.mainForm() == this)
        app_.Terminate();
    else
        setVisible(false);
}

}  // namespace forms
