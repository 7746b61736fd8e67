// Menus as data: a main menu of items, each of which may hold items.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms/Observable.h"

namespace forms {

class Form;

class MenuItem : public Observable {
public:
    MenuItem(Form& form, std::string name, std::string caption, char letter, MenuItem* parent)
        : form_(form), name_(std::move(name)), caption_(std::move(caption)), letter_(letter), parent_(parent) {}

    const std::string& name() const { return name_; }
    // The caption as written; an ampersand in it is an ampersand.
    const std::string& caption() const { return caption_; }
    // The keyboard letter that chooses the item (with Alt on the menu bar,
    // alone in an open menu), 0 for none. Renderers underline it.
    char letter() const { return letter_; }
    // Where the letter stands in the caption: its first occurrence in either
    // case; npos when the item has none or the caption lacks it.
    std::size_t letterIndex() const;
    // The caption as native menus read it: '&' before the letter, and each
    // ampersand of the caption itself doubled.
    std::string markedCaption() const;
    MenuItem* parent() const { return parent_; }
    bool visible() const { return visible_; }
    void setVisible(bool v);
    bool enabled() const { return enabled_; }
    void setEnabled(bool e);

    MenuItem& add(std::string name, std::string caption, char letter = 0);
    const std::vector<std::unique_ptr<MenuItem>>& items() const { return items_; }

    std::function<void()> onClick;
    // A user chose the item (ignored when it or its parent is hidden or disabled).
    void click();

private:
    Form& form_;
    std::string name_;
    std::string caption_;
    char letter_;
    MenuItem* parent_;
    bool visible_ = true;
    bool enabled_ = true;
    std::vector<std::unique_ptr<MenuItem>> items_;
};

class MainMenu {
public:
    MainMenu(Form& form, std::string name) : form_(form), name_(std::move(name)) {}
    const std::string& name() const { return name_; }
    MenuItem& add(std::string name, std::string caption, char letter = 0);
    const std::vector<std::unique_ptr<MenuItem>>& items() const { return items_; }
    MenuItem* find(const std::string& name) const;

private:
    Form& form_;
    std::string name_;
    std::vector<std::unique_ptr<MenuItem>> items_;
};

}  // namespace forms
