// A form's main menu as a real menu bar: one HMENU built from the model's
// items, kept in step with their visibility (a hidden item is taken out of
// its menu, not greyed) and their enabled state; a chosen command goes back
// to its item.
#pragma once

#include <vector>

#include "platform/forms/Menu.h"
#include "platform/windows/WinApi.h"

namespace win32 {

class MenuBinding {
public:
    explicit MenuBinding(const forms::MainMenu& menu);
    ~MenuBinding();
    MenuBinding(const MenuBinding&) = delete;
    MenuBinding& operator=(const MenuBinding&) = delete;

    HMENU handle() const { return bar_; }
    // The window the bar belongs to, redrawn when a menu-bar item changes.
    void attach(HWND window) { window_ = window; }
    // WM_COMMAND from a menu: true when the id is one of this bar's items.
    bool command(UINT id);
    // The id of an item's command, or 0 (tests send WM_COMMAND with it).
    UINT idOf(const forms::MenuItem& item) const;

private:
    struct Entry {
        forms::MenuItem* item;
        HMENU parent;  // the menu that holds the item
        HMENU popup;   // its own menu, when it has items
        UINT id;
        forms::ObserverId observer;
    };

    void add(forms::MenuItem& item, HMENU parent);
    void insert(const Entry& entry, UINT position);
    UINT position(const Entry& entry) const;
    void apply(Entry& entry, forms::Prop prop);
    void changed(const Entry& entry);

    const forms::MainMenu& menu_;
    HMENU bar_ = nullptr;
    HWND window_ = nullptr;
    std::vector<Entry> entries_;
};

}  // namespace win32
