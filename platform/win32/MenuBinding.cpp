#include "platform/win32/MenuBinding.h"

#include "platform/windows/Text.h"

namespace win32 {

namespace {
constexpr UINT FirstCommandId = 100;
}

MenuBinding::MenuBinding(const forms::MainMenu& menu) : menu_(menu), bar_(CreateMenu()) {
    for (const auto& item : menu.items()) add(*item, bar_);
}

MenuBinding::~MenuBinding() {
    // A menu that is in the bar goes with the window; one taken out of it
    // (a hidden item's) is ours to free.
    for (const Entry& e : entries_) {
        e.item->unobserve(e.observer);
        if (e.popup && !e.item->visible()) DestroyMenu(e.popup);
    }
    if (!window_ && bar_) DestroyMenu(bar_);
}

void MenuBinding::add(forms::MenuItem& item, HMENU parent) {
    Entry entry{&item, parent, nullptr, FirstCommandId + static_cast<UINT>(entries_.size()), 0};
    if (!item.items().empty()) {
        entry.popup = CreatePopupMenu();
        for (const auto& child : item.items()) add(*child, entry.popup);
    }
    entries_.push_back(entry);
    const std::size_t index = entries_.size() - 1;
    if (item.visible()) insert(entry, position(entry));
    entries_[index].observer = item.observe([this, index](forms::Prop prop) { apply(entries_[index], prop); });
}

UINT MenuBinding::position(const Entry& entry) const {
    const auto& siblings = entry.item->parent() ? entry.item->parent()->items() : menu_.items();
    UINT before = 0;
    for (const auto& s : siblings) {
        if (s.get() == entry.item) break;
        if (s->visible()) ++before;
    }
    return before;
}

void MenuBinding::insert(const Entry& entry, UINT position) {
    UINT flags = MF_BYPOSITION | MF_STRING | (entry.item->enabled() ? MF_ENABLED : MF_GRAYED);
    UINT_PTR idOrMenu = entry.id;
    if (entry.popup) {
        flags |= MF_POPUP;
        idOrMenu = reinterpret_cast<UINT_PTR>(entry.popup);
    }
    InsertMenuA(entry.parent, position, flags, idOrMenu, toAnsi(entry.item->markedCaption()).c_str());
}

void MenuBinding::apply(Entry& entry, forms::Prop prop) {
    if (prop == forms::Prop::Visible) {
        if (entry.item->visible())
            insert(entry, position(entry));
        else
            RemoveMenu(entry.parent, position(entry), MF_BYPOSITION);  // keeps the popup for a later return
    } else if (prop == forms::Prop::Enabled) {
        if (entry.item->visible())
            EnableMenuItem(entry.parent, position(entry),
                           MF_BYPOSITION | (entry.item->enabled() ? MF_ENABLED : MF_GRAYED));
    }
    changed(entry);
}

void MenuBinding::changed(const Entry& entry) {
    if (window_ && entry.parent == bar_) DrawMenuBar(window_);
}

bool MenuBinding::command(UINT id) {
    for (const Entry& e : entries_) {
        if (e.id != id || e.popup) continue;
        e.item->click();
        return true;
    }
    return false;
}

UINT MenuBinding::idOf(const forms::MenuItem& item) const {
    for (const Entry& e : entries_)
        if (e.item == &item) return e.id;
    return 0;
}

}  // namespace win32
