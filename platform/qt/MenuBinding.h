// The form's main menu as a QMenuBar: items with children open menus, items
// without are commands on the bar itself. Captions get keyboard mnemonics,
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

// A caption with its mnemonic: kept as it is when it names one with '&',
// otherwise the first letter or digit not yet taken among its siblings.
QString withMnemonic(const std::string& caption, std::vector<QChar>& taken);

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
