#include "platform/qt/MenuBinding.h"

#include <QMenu>
#include <QMenuBar>

#include "platform/qt/Look.h"

namespace qtui {

QString withMnemonic(const forms::MenuItem& item) { return toWidgetText(item.markedCaption()); }

MenuBinding::MenuBinding(forms::MainMenu& menu, QWidget* window) : bar_(new QMenuBar(window)) {
    bar_->setObjectName(QString::fromStdString(menu.name()));
    // The window itself is the menu's host on every platform; no global menu.
    bar_->setNativeMenuBar(false);
    addItems(menu.items(), nullptr);
}

MenuBinding::~MenuBinding() {
    for (auto& [item, id] : observed_) item->unobserve(id);
}

void MenuBinding::addItems(const std::vector<std::unique_ptr<forms::MenuItem>>& items, QMenu* into) {
    for (const auto& owned : items) {
        forms::MenuItem& item = *owned;
        const QString caption = withMnemonic(item);
        QAction* action = nullptr;
        if (!item.items().empty()) {
            QMenu* sub = into ? into->addMenu(caption) : bar_->addMenu(caption);
            sub->setObjectName(QString::fromStdString(item.name()));
            // A pop-up is a window of its own and takes the application's font,
            // not the bar's; it opens in the bar's, as a Windows menu does.
            QObject::connect(sub, &QMenu::aboutToShow, sub, [this, sub] { sub->setFont(bar_->font()); });
            action = sub->menuAction();
            addItems(item.items(), sub);
        } else {
            action = into ? into->addAction(caption) : bar_->addAction(caption);
            QObject::connect(action, &QAction::triggered, bar_, [&item] { item.click(); });
        }
        bind(item, action);
    }
}

void MenuBinding::bind(forms::MenuItem& item, QAction* action) {
    action->setObjectName(QString::fromStdString(item.name()));
    action->setVisible(item.visible());
    action->setEnabled(item.enabled());
    const forms::ObserverId id = item.observe([&item, action](forms::Prop p) {
        if (p == forms::Prop::Visible) action->setVisible(item.visible());
        if (p == forms::Prop::Enabled) action->setEnabled(item.enabled());
    });
    observed_.emplace_back(&item, id);
}

void MenuBinding::openFromKeyboard() {
    for (QAction* a : bar_->actions()) {
        if (!a->isVisible() || !a->isEnabled()) continue;
        bar_->setFocus(Qt::MenuBarFocusReason);
        bar_->setActiveAction(a);
        return;
    }
}

}  // namespace qtui
