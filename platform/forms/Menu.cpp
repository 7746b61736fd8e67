#include "platform/forms/Menu.h"

#include "platform/forms/Application.h"
#include "platform/forms/Form.h"

namespace forms {

void MenuItem::setVisible(bool v) {
    if (visible_ == v) return;
    visible_ = v;
    notify(Prop::Visible);
}

void MenuItem::setEnabled(bool e) {
    if (enabled_ == e) return;
    enabled_ = e;
    notify(Prop::Enabled);
}

std::size_t MenuItem::letterIndex() const {
    if (letter_ == 0) return std::string::npos;
    // Letters are ASCII; the C library's locale has no say.
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    for (std::size_t i = 0; i < caption_.size(); ++i)
        if (lower(caption_[i]) == lower(letter_)) return i;
    return std::string::npos;
}

std::string MenuItem::markedCaption() const {
    const std::size_t letter = letterIndex();
    std::string text;
    for (std::size_t i = 0; i < caption_.size(); ++i) {
        if (i == letter || caption_[i] == '&') text += '&';
        text += caption_[i];
    }
    return text;
}

MenuItem& MenuItem::add(std::string name, std::string caption, char letter) {
    items_.push_back(std::make_unique<MenuItem>(form_, std::move(name), std::move(caption), letter, this));
    return *items_.back();
}

void MenuItem::click() {
    for (MenuItem* m = this; m; m = m->parent_)
        if (!m->visible_ || !m->enabled_) return;
    if (onClick) form_.application().dispatch(onClick);
}

MenuItem& MainMenu::add(std::string name, std::string caption, char letter) {
    items_.push_back(std::make_unique<MenuItem>(form_, std::move(name), std::move(caption), letter, nullptr));
    return *items_.back();
}

MenuItem* MainMenu::find(const std::string& name) const {
    std::vector<MenuItem*> stack;
    for (const auto& i : items_) stack.push_back(i.get());
    while (!stack.empty()) {
        MenuItem* m = stack.back();
        stack.pop_back();
        if (m->name() == name) return m;
        for (const auto& i : m->items()) stack.push_back(i.get());
    }
    return nullptr;
}

}  // namespace forms
