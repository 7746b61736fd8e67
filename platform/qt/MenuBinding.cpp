#include "platform/qt/MenuBinding.h"

#include <QMenu>
#include <QMenuBar>
#include <algorithm>

#include "platform/qt/Look.h"

namespace qtui {

QString withMnemonic(const std::string& caption, std::vector<QChar>& taken) {
    // The forms and Qt agree: "&x" marks x, "&&" is one ampersand.
    QString text = toWidgetText(caption);
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&')) continue;
        if (text[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        taken.push_back(text[i + 1].toLower());
        return text;
    }
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i].toLower();
        if (!c.isLetterOrNumber() || std::find(taken.begin(), taken.end(), c) != taken.end()) continue;
        taken.push_back(c);
        text.insert(i, QLatin1Char('&'));
        break;
    }
    return text;
}

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
    std::vector<QChar> taken;
    for (const auto& owned : items) {
        forms::MenuItem& item = *owned;
        const QString caption = withMnemonic(item.caption(), taken);
        QAction* action = nullptr;
        if (!item.items().empty()) {
            QMenu* sub = into ? into->addMenu(caption) : bar_->addMenu(caption);
            sub->setObjectName(QString::fromStdString(item.name()));
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
