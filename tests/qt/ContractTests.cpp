// The renderer contract on the Qt widgets: the table reads back what each
// native widget shows and acts on it with QTest as a user would.
#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTest>
#include <QTextEdit>

#include "platform/qt/FormWindow.h"
#include "platform/qt/Look.h"
#include "platform/qt/QtBackend.h"
#include "tests/contract/ControlContract.h"
#include "tests/qt/QtShell.h"

namespace {

using namespace contract;

Color toColor(const QColor& c) {
    return Color::rgb(static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
                      static_cast<std::uint8_t>(c.blue()));
}

class QtProbe : public Probe {
public:
    explicit QtProbe(qtui::QtBackend& backend) : backend_(backend) {}
    MeasureText measure() const override { return &qtui::measureText; }
    bool visible(const Control& c) override { return w(c)->isVisible(); }
    bool enabled(const Control& c) override { return w(c)->isEnabled(); }
    Rect bounds(const Control& c) override {
        const QRect g = w(c)->geometry();
        return {g.x(), g.y(), g.width(), g.height()};
    }
    std::string text(const Control& c) override {
        QWidget* widget = w(c);
        QString text;
        if (auto* label = qobject_cast<QLabel*>(widget)) text = label->text();
        if (auto* edit = qobject_cast<QLineEdit*>(widget)) text = edit->text();
        if (auto* memo = qobject_cast<QPlainTextEdit*>(widget)) text = memo->toPlainText();
        if (auto* rich = qobject_cast<QTextEdit*>(widget)) text = rich->toPlainText();
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) text = button->text();
        return qtui::toModelText(text);
    }
    int fontPixels(const Control& c) override { return w(c)->font().pixelSize(); }
    bool bold(const Control& c) override { return w(c)->font().bold(); }
    Color textColour(const Control& c) override { return toColor(w(c)->palette().color(textRole(c))); }
    Color background(const Control& c) override {
        const bool box = qobject_cast<QLineEdit*>(w(c)) || qobject_cast<QAbstractScrollArea*>(w(c));
        return toColor(w(c)->palette().color(box ? QPalette::Base : QPalette::Window));
    }
    void click(Control& c) override {
        // Where a user's click lands: the innermost widget under the middle.
        QWidget* widget = w(c);
        const QPoint middle = widget->rect().center();
        QWidget* target = widget->childAt(middle);
        if (!target) target = widget;
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(widget, middle));
    }
    void key(Control& on, Key key) override {
        const Qt::Key k = key == Key::Enter ? Qt::Key_Return : key == Key::Escape ? Qt::Key_Escape : Qt::Key_Tab;
        QTest::keyClick(w(on), k);
    }
    const Control* focused(Form& f) override {
        QWidget* focus = QApplication::focusWidget();
        return focus && focus->window() == window(f) ? f.find(focus->objectName().toStdString()) : nullptr;
    }
    bool active(Form& f) override { return QApplication::activeWindow() == window(f); }
    void closeBox(Form& f) override { window(f)->close(); }
    bool centred(Form& f) override {
        const QWidget* w = window(f);
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        return w->pos() == area.center() - QPoint(w->width() / 2, w->height() / 2);
    }
    void drag(Form& f) override { window(f)->move(window(f)->pos() + QPoint(13, 7)); }

private:
    // The palette role each kind of widget draws its text with.
    QPalette::ColorRole textRole(const Control& c) const {
        if (qobject_cast<QLineEdit*>(w(c)) || qobject_cast<QAbstractScrollArea*>(w(c))) return QPalette::Text;
        if (c.kind() == Kind::Button || c.kind() == Kind::BitBtn) return QPalette::ButtonText;
        return QPalette::WindowText;
    }
    QWidget* w(const Control& c) const { return backend_.window(c.form())->widgetFor(c); }
    qtui::FormWindow* window(Form& f) const { return backend_.window(f); }
    qtui::QtBackend& backend_;
};

class QtContract : public ::testing::Test {
protected:
    qtui::QtBackend backend{qtui::QtBackendOptions{.returnAfterShow = true}};
    Application app{backend};
    QtProbe probe{backend};
    KindForm* form = nullptr;

    void SetUp() override {
        form = app.CreateForm<KindForm>();
        app.Run();
        // Shown from hidden, the form is the active window by itself.
        ASSERT_TRUE(QTest::qWaitForWindowActive(backend.window(*form)));
    }
};

TEST_F(QtContract, EveryKindShowsWhatTheModelSays) { checkKinds(*form, probe); }

TEST_F(QtContract, EnterAndEsc) { checkEnterAndEsc(*form, probe); }

TEST_F(QtContract, TabWalksTheModelsKeyboardOrder) { checkTab(*form, probe); }

TEST_F(QtContract, CloseBox) { checkCloseBox(*form, *app.CreateForm<KindForm>("Second"), probe); }

TEST_F(QtContract, WhereAFormAppears) { checkPlacement(*app.CreateForm<KindForm>("Second"), probe); }

TEST_F(QtContract, AFormShownFromHiddenIsActivatedWithAControlFocused) {
    KindForm& second = *app.CreateForm<KindForm>("Second", BorderStyle::Dialog);
    checkActivation(second, probe, [](const std::function<bool()>& done) { return qttest::waitFor(done); });
}

TEST_F(QtContract, AFormFirstShownShowsWhatWasSetWhileItWasHidden) {
    KindForm& second = *app.CreateForm<KindForm>("Second", BorderStyle::Dialog);
    checkFirstShow(second, probe, [](const std::function<bool()>& done) { return qttest::waitFor(done); });
}

}  // namespace
