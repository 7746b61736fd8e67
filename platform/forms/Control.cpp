#include "platform/forms/Control.h"

#include <algorithm>

#include "platform/forms/Application.h"
#include "platform/forms/Form.h"

namespace forms {

Size textExtent(const std::string& text, int lineHeight, const std::function<int(const std::string& line)>& lineWidth) {
    Size extent{0, 0};
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find('\n', start);
        std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        extent.width = std::max(extent.width, lineWidth(line));
        extent.height += lineHeight;
        if (end == std::string::npos) return extent;
        start = end + 1;
    }
}

Control::Control(Kind kind, std::string name, Control* parent)
    : kind_(kind), name_(std::move(name)), parent_(parent) {
    if (parent_) parent_->children_.push_back(this);
}

Form& Control::form() {
    Control* c = this;
    while (c->parent_) c = c->parent_;
    return static_cast<Form&>(*c);
}

void Control::setVisible(bool v, ObserverId origin) {
    if (visible_ == v) return;
    if (v) aboutToShow();
    visible_ = v;
    // The focus moves on before the renderer hides anything, so a toolkit
    // never has to choose a focus of its own.
    visibilityChanged();
    changed(Prop::Visible, origin);
}

void Control::visibilityChanged() { form().reviewFocus(); }

void Control::setEnabled(bool e) {
    if (enabled_ == e) return;
    enabled_ = e;
    if (parent_) form().reviewFocus();
    changed(Prop::Enabled);
}

void Control::setBounds(int left, int top, int width, int height) {
    if (left_ == left && top_ == top && width_ == width && height_ == height) return;
    const bool resized = width_ != width || height_ != height;
    std::vector<bool> within;
    for (const Control* c : children_) within.push_back(c->withinParent());
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    changed(Prop::Bounds);
    if (!resized) return;
    dockChildren();
    // A child the new size brings into view, or clips away, is shown or
    // hidden with it.
    for (std::size_t i = 0; i < children_.size(); ++i)
        if (children_[i]->withinParent() != within[i]) children_[i]->changed(Prop::Visible);
}

Color Control::background() const {
    switch (kind_) {
    case Kind::Label:
    case Kind::RadioButton:
    case Kind::Button:
    case Kind::BitBtn:
    case Kind::Bevel:
    case Kind::Image: return parent_ ? parent_->color_ : color_;
    default: return color_;
    }
}

bool Control::withinParent() const {
    if (!parent_ || parent_->kind_ == Kind::Form) return true;
    return left_ < parent_->width_ && top_ < parent_->height_;
}

void Control::dockChildren() {
    const Size area = innerSize();
    for (Control* c : children_)
        if (c->dockedBottom) c->setBounds(0, area.height - c->height_, area.width, c->height_);
}

Rect Control::placement(const MeasureText& measure) const {
    if (!autoSize || kind_ != Kind::Label) return bounds();
    const Size extent = measure(font_, text_);
    int left = left_;
    if (follows) left = follows->placement(measure).left + measure(follows->font_, follows->text_).width;
    return {left, top_, extent.width, extent.height};
}

// A self-sizing label, and every label that follows one, moves or grows with
// its caption's text and font.
void Control::placementChanged() {
    if (autoSize) changed(Prop::Bounds);
    if (!parent_) return;
    for (Control* c : form().controls())
        if (c->follows == this) c->changed(Prop::Bounds);
}

void Control::setHeight(int h) { setBounds(left_, top_, width_, h); }

void Control::setText(std::string t, ObserverId origin) {
    if (text_ == t) return;
    text_ = std::move(t);
    changed(Prop::Text, origin);
    placementChanged();
}

void Control::setFont(const Font& f) {
    if (font_ == f) return;
    font_ = f;
    changed(Prop::Font);
    placementChanged();
}

void Control::setFontColor(Color c) {
    Font f = font_;
    f.color = c;
    setFont(f);
}

void Control::setFontStyle(FontStyles s) {
    Font f = font_;
    f.style = s;
    setFont(f);
}

void Control::setColor(Color c) {
    if (color_ == c) return;
    color_ = c;
    changed(Prop::Color);
}

void Control::setAlignment(Alignment a) {
    if (alignment_ == a) return;
    alignment_ = a;
    changed(Prop::Alignment);
}

void Control::setCursor(Cursor c) {
    if (cursor_ == c) return;
    cursor_ = c;
    changed(Prop::Cursor);
}

void Control::Update() { changed(Prop::Repaint); }

bool Control::reachable() const {
    for (const Control* c = this; c; c = c->parent_) {
        if (!c->visible_ || !c->enabled_) return false;
        if (!c->withinParent()) return false;
    }
    return true;
}

bool Control::covered() const {
    if (!parent_) return false;
    const auto& siblings = parent_->children_;
    auto above = std::find(siblings.begin(), siblings.end(), this);
    if (above == siblings.end()) return false;
    for (++above; above != siblings.end(); ++above) {
        const Control& c = **above;
        const int middle = top_ + height_ / 2;
        if (c.visible_ && left_ >= c.left_ && left_ < c.left_ + c.width_ && middle >= c.top_ &&
            middle < c.top_ + c.height_)
            return true;
    }
    return false;
}

void Control::setMissingNote(std::string note) {
    if (missingNote_ == note) return;
    missingNote_ = std::move(note);
    changed(Prop::Missing);
}

bool Control::acceptsInput() { return !form().application().closing(); }

// The focus is reviewed once the handler is over: a handler that disables
// the focused link and enables others leaves the focus on the next of them.
void Control::fire(const Handler& h) {
    if (!h) return;
    const Form::Handling handling(form());
    form().application().dispatch(h);
}

void Control::click() {
    if (takesClick()) fire(onClick);
}

void Control::mouseEnter() {
    if (reachable()) fire(onMouseEnter);
}

void Control::mouseLeave() { fire(onMouseLeave); }

void Control::textEdited(std::string t, ObserverId origin) {
    if (text_ == t || !acceptsInput()) return;
    setText(std::move(t), origin);
    fire(onChange);
}

void Control::focusMoved(ObserverId origin) { form().focusMovedFromWidget(*this, origin); }

void RadioButton::setChecked(bool c, ObserverId origin) {
    if (checked_ == c) return;
    checked_ = c;
    if (c && parent()) {
        for (Control* sibling : parent()->children())
            if (sibling != this && sibling->kind() == Kind::RadioButton)
                static_cast<RadioButton*>(sibling)->setChecked(false);
    }
    changed(Prop::Checked, origin);
}

void RadioButton::click() {
    if (!reachable()) return;
    setChecked(true);
    fire(onClick);
}

void RadioButton::checkedByUser(ObserverId origin) {
    if (!reachable() || !acceptsInput()) return;
    setChecked(true, origin);
    fire(onClick);
}

void ProgressBar::setRange(int min, int max) {
    if (min_ == min && max_ == max) return;
    min_ = min;
    max_ = max;
    changed(Prop::Progress);
    setPosition(position_);
}

void ProgressBar::setPosition(int p) {
    p = p < min_ ? min_ : (p > max_ ? max_ : p);
    if (position_ == p) return;
    position_ = p;
    changed(Prop::Progress);
}

}  // namespace forms
