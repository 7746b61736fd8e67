#include "platform/qt/Accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>

#include "platform/qt/FormWindow.h"
#include "platform/qt/Look.h"
#include "platform/qt/PanelWidget.h"
#include "platform/qt/StatusBarWidget.h"

namespace qtui {

// The dotted frame a focused link shows, as a focused button shows its own.
void LinkLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (hasFocus()) drawFocusFrame(*this, rect(), palette().color(foregroundRole()));
}

namespace {

class LinkAccessible : public QAccessibleWidget {
public:
    explicit LinkAccessible(LinkLabel* link) : QAccessibleWidget(link, QAccessible::Link), link_(link) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return link_->text();
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override { return QStringList(pressAction()) << QAccessibleWidget::actionNames(); }
    void doAction(const QString& action) override {
        if (action == pressAction() && link_->isEnabled() && link_->activate)
            link_->activate();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    LinkLabel* link_;
};

QAccessibleInterface* formsFactory(const QString&, QObject* object) {
    if (auto* link = dynamic_cast<LinkLabel*>(object)) return new LinkAccessible(link);
    // A panel groups its controls (a rating group is named by its question);
    // it is no frame, which is what Qt says of any QFrame.
    if (auto* panel = dynamic_cast<PanelWidget*>(object)) return new QAccessibleWidget(panel, QAccessible::Grouping);
    if (auto* bar = dynamic_cast<StatusBarWidget*>(object)) return new QAccessibleWidget(bar, QAccessible::StatusBar);
    if (auto* window = dynamic_cast<FormWindow*>(object)) {
        const forms::Frame frame = window->form().frame();
        return new QAccessibleWidget(window, frame.dialog || frame.tool ? QAccessible::Dialog : QAccessible::Window);
    }
    return nullptr;
}

}  // namespace

void installAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(formsFactory);
        return true;
    }();
    (void)installed;
}

}  // namespace qtui
