// The form's main menu as a QMenuBar: items with children open menus, items
// without are commands on the bar itself. Each item's letter is the model's,
// hidden items are really gone, and choosing an item clicks it in the model.
#pragma once

#include <QString>
#include <utility>
#include <vector>

#include "platform/forms/Menu.h"

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace qtui {

// An item's text for a QAction: its caption marked with the model's letter.
QString withMnemonic(const forms::MenuItem& item);

class MenuBinding {
public:
    MenuBinding(forms::MainMenu& menu, QWidget* window);
    ~MenuBinding();
    MenuBinding(const MenuBinding&) = delete;
    MenuBinding& operator=(const MenuBinding&) = delete;

    QMenuBar* bar() const { return bar_; }
    // F10: opens the first menu of the bar, as Alt does.
    void openFromKeyboard();

private:
    void addItems(const std::vector<std::unique_ptr<forms::MenuItem>>& items, QMenu* into);
    void bind(forms::MenuItem& item, QAction* action);

    QMenuBar* bar_;
    std::vector<std::pair<forms::MenuItem*, forms::ObserverId>> observed_;
};

}  // namespace qtui
