// The renderer on the contract's sample form, which holds every control
// kind, for what the shell's four forms never do: fonts and colours by
// table, unchecking a whole radio group, text with line breaks and UTF-8, a
// docked bar following its form, a timer stopping, menus changing, and the
// message boxes.
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>

#include "platform/forms/Contrast.h"
#include "platform/qt/Look.h"
#include "tests/contract/KindForm.h"
#include "tests/qt/QtShell.h"

using namespace forms;
using namespace qttest;

namespace {

// The contract's sample form with what only these tests need: a second
// radio button in the first one's group, a menu, two timers, a title beyond
// ASCII, a read-only memo and no cancel button.
class Sampler : public contract::KindForm {
public:
    explicit Sampler(Application& app)
        : KindForm(app, "Sampler"),
          radio2(make<RadioButton>("radio2")),
          timer(makeTimer("timer")),
          clock(makeTimer("clock")) {
        setText("Sampler \xe2\x80\x93 caf\xc3\xa9");
        radio2.setBounds(8, 170, 100, 17);
        memo.readOnly = true;
        cancel.isCancel = false;
        MainMenu& m = makeMenu("menu");
        MenuItem& file = m.add("file", "File", 'F');
        file.add("open", "Open", 'O');
        file.add("close", "Close", 'l');
        file.add("fish", "Fish & Chips", 'c');
        m.add("help", "Help");
        timer.setEnabled(false);
        clock.setEnabled(false);
    }
    RadioButton& radio2;
    Timer& timer;
    Timer& clock;
};

class Renderer : public ::testing::Test {
protected:
    qtui::QtBackend backend{qtui::QtBackendOptions{.returnAfterShow = true}};
    Application app{backend};
    Sampler* form = nullptr;
    qtui::FormWindow* window = nullptr;

    void SetUp() override {
        form = app.CreateForm<Sampler>();
        app.Run();
        window = backend.window(*form);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    }
    template <class W>
    W* w(const Control& c) {
        return qobject_cast<W*>(window->widgetFor(c));
    }
};

}  // namespace

TEST_F(Renderer, FontsByPixelHeightWithFallbackFamilies) {
    const struct {
        const char* name;
        int height;
        FontStyles style;
        int pixels;
        const char* firstFallback;
    } rows[] = {
        // The raster font comes only in its own sizes, the largest not taller.
        {"MS Sans Serif", 11, fsNone, 11, "Liberation Sans"},
        {"MS Sans Serif", 12, fsBold, 11, "Liberation Sans"},
        {"MS Sans Serif", 15, fsUnderline, 13, "Liberation Sans"},
        {"MS Sans Serif", 19, fsItalic, 19, "Liberation Sans"},
        {"MS Sans Serif", 8, fsNone, 11, "Liberation Sans"},
        {"Times New Roman", 15, fsNone, 15, "Liberation Serif"},
        {"Times New Roman", 13, fsBold | fsItalic, 13, "Liberation Serif"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(std::string(r.name) + " " + std::to_string(r.height));
        Font f;
        f.name = r.name;
        f.height = r.height;
        f.style = r.style;
        form->label.setFont(f);
        const QFont q = w<QLabel>(form->label)->font();
        EXPECT_EQ(q.pixelSize(), r.pixels);
        EXPECT_EQ(q.bold(), (r.style & fsBold) != 0);
        EXPECT_EQ(q.italic(), (r.style & fsItalic) != 0);
        EXPECT_EQ(q.underline(), (r.style & fsUnderline) != 0);
        ASSERT_GE(q.families().size(), 2);
        EXPECT_EQ(q.families()[0], QString::fromLatin1(r.name));
        EXPECT_EQ(q.families()[1], QString::fromLatin1(r.firstFallback));
        // Whatever is installed, one of the listed families is what draws.
        EXPECT_TRUE(q.families().contains(QFontInfo(q).family())) << QFontInfo(q).family().toStdString();
    }
}

TEST_F(Renderer, ColoursAreRgbOrThePalettesSystemColours) {
    const QPalette system = QGuiApplication::palette();
    const struct {
        Color colour;
        QColor expected;
    } rows[] = {
        {clRed, QColor(255, 0, 0)},
        {Color::rgb(1, 2, 3), QColor(1, 2, 3)},
        {clWindow, system.color(QPalette::Base)},
        {clWindowText, system.color(QPalette::Text)},
        {clBtnFace, system.color(QPalette::Window)},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.expected.name().toStdString());
        // The label's text on a background it can be read on.
        form->panel.setColor(r.expected.lightness() > 127 ? clBlack : clWhite);
        form->label.setFontColor(r.colour);
        form->edit.setColor(r.colour);
        form->setColor(r.colour);
        EXPECT_EQ(w<QLabel>(form->label)->palette().color(QPalette::Active, QPalette::WindowText), r.expected);
        EXPECT_EQ(w<QLineEdit>(form->edit)->palette().color(QPalette::Base), r.expected);
        EXPECT_EQ(window->client()->palette().color(QPalette::Window), r.expected);
    }
    // Text the background leaves unreadable (black on a face a dark theme
    // turned dark) is drawn in the model's readable colour.
    form->panel.setColor(Color::rgb(0x32, 0x32, 0x32));
    form->label.setFontColor(clBlack);
    const Color drawn = readableOn(clBlack, Color::rgb(0x32, 0x32, 0x32));
    EXPECT_EQ(w<QLabel>(form->label)->palette().color(QPalette::Active, QPalette::WindowText),
              QColor(drawn.red(), drawn.green(), drawn.blue()));
}

TEST_F(Renderer, TextIsUtf8WithCrLfLines) {
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8("Sampler \u2013 caf\u00e9"));
    form->memo.setText("Gr\xc3\xb6\xc3\x9f" "e\r\nzwei");
    EXPECT_EQ(w<QPlainTextEdit>(form->memo)->toPlainText(), QString::fromUtf8("Gr\u00f6\u00dfe\nzwei"));
    w<QPlainTextEdit>(form->memo)->setReadOnly(false);
    w<QPlainTextEdit>(form->memo)->appendPlainText(QStringLiteral("drei"));
    EXPECT_EQ(form->memo.text(), "Gr\xc3\xb6\xc3\x9f" "e\r\nzwei\r\ndrei");
    const QString before = w<QLabel>(form->label)->text();
    const int narrow = w<QLabel>(form->label)->width();
    form->label.setText("a much longer caption than before");
    EXPECT_GT(w<QLabel>(form->label)->width(), narrow) << "a label sizes itself to its caption";
    EXPECT_NE(w<QLabel>(form->label)->text(), before);
}

TEST_F(Renderer, TheModelMayUncheckAWholeRadioGroup) {
    form->radio.setChecked(true);
    EXPECT_TRUE(w<QRadioButton>(form->radio)->isChecked());
    form->radio2.setChecked(true);
    EXPECT_FALSE(w<QRadioButton>(form->radio)->isChecked());
    form->radio2.setChecked(false);
    EXPECT_FALSE(w<QRadioButton>(form->radio2)->isChecked());
    // The group still works for the user afterwards.
    QTest::mouseClick(w<QRadioButton>(form->radio), Qt::LeftButton);
    EXPECT_TRUE(form->radio.checked());
    EXPECT_TRUE(w<QRadioButton>(form->radio)->isChecked());
}

TEST_F(Renderer, DockedStatusBarKeepsToTheBottomOfTheGrowingClientArea) {
    QWidget* status = window->widgetFor(form->status);
    EXPECT_EQ(status->geometry(), QRect(0, 221, 320, 19));
    form->setHeight(form->height() + 40);
    EXPECT_EQ(window->client()->height(), 280);
    EXPECT_EQ(status->geometry(), QRect(0, 261, 320, 19));
    const auto panes = status->findChildren<QLabel*>();
    ASSERT_EQ(panes.size(), 2);
    EXPECT_EQ(panes[1]->x() + panes[1]->width(), 260) << "the panes keep their widths";
}

TEST_F(Renderer, EnterPressesTheFocusedOrDefaultButtonEvenInAReadOnlyMemo) {
    QTest::keyClick(window->widgetFor(form->memo), Qt::Key_Return);
    EXPECT_EQ(form->clicks["ok"], 1);
    QTest::keyClick(window->widgetFor(form->edit), Qt::Key_Enter);
    EXPECT_EQ(form->clicks["ok"], 2);
    // No cancel button: Esc does nothing and the form stays.
    QTest::keyClick(window->widgetFor(form->edit), Qt::Key_Escape);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(Renderer, FocusMovesBothWays) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    form->FocusControl(form->edit);
    EXPECT_EQ(QApplication::focusWidget(), window->widgetFor(form->edit));
    window->widgetFor(form->ok)->setFocus();
    EXPECT_EQ(form->activeControl(), &form->ok);
}

TEST_F(Renderer, TimerTicksWhileEnabledAndStops) {
    int ticks = 0;
    int clockTicks = 0;
    form->timer.onTimer = [&] { ++ticks; };
    form->clock.onTimer = [&] { ++clockTicks; };
    form->timer.setInterval(5);
    form->timer.setEnabled(true);
    ASSERT_TRUE(waitFor([&] { return ticks >= 2; }));
    form->timer.setEnabled(false);
    const int stoppedAt = ticks;
    // Another timer measures out the time in which a stopped one would tick.
    form->clock.setInterval(5);
    form->clock.setEnabled(true);
    ASSERT_TRUE(waitFor([&] { return clockTicks >= 10; }));
    EXPECT_EQ(ticks, stoppedAt);
}

TEST_F(Renderer, MenuItemsHideAndDisableForReal) {
    QMenuBar* bar = window->menuBar();
    auto* open = bar->findChild<QAction*>("open");
    auto* help = bar->findChild<QAction*>("help");
    ASSERT_NE(open, nullptr);
    ASSERT_NE(help, nullptr);
    form->menu()->find("help")->setVisible(false);
    form->menu()->find("open")->setEnabled(false);
    EXPECT_FALSE(help->isVisible());
    EXPECT_FALSE(open->isEnabled());
}

TEST_F(Renderer, MenuTextsUnderlineTheModelsLetterAndNothingElse) {
    const struct {
        const char* item;
        const char* text;
    } rows[] = {
        {"file", "&File"},   {"open", "&Open"},
        {"close", "C&lose"}, {"fish", "Fish && &Chips"},  // the caption's own ampersand is no mark
        {"help", "Help"},                                 // no letter: Qt must not pick one
    };
    for (const auto& r : rows) {
        auto* action = window->menuBar()->findChild<QAction*>(r.item);
        ASSERT_NE(action, nullptr) << r.item;
        EXPECT_EQ(action->text().toStdString(), r.text);
    }
}

TEST_F(Renderer, MessageBoxesShowTheirKindAndTheExceptionBoxTheMessage) {
    const struct {
        std::function<void()> raise;
        QMessageBox::Icon icon;
        QString title;
        QString text;
    } rows[] = {
        {[&] { app.MessageBox("done", "Note", MessageKind::Information); }, QMessageBox::Information, "Note", "done"},
        {[&] { app.MessageBox("failed", "Oops", MessageKind::Error); }, QMessageBox::Critical, "Oops", "failed"},
        {[&] { app.dispatch([] { throw Exception("boom"); }); }, QMessageBox::Critical, window->windowTitle(), "boom"},
        {[&] { app.dispatch([] { throw 42; }); }, QMessageBox::Critical, window->windowTitle(), ""},
    };
    for (const auto& r : rows) {
        MessageBoxAnswer answer;
        r.raise();
        ASSERT_TRUE(answer.seen().has_value()) << r.text.toStdString();
        EXPECT_EQ(answer.seen()->icon, r.icon);
        EXPECT_EQ(answer.seen()->title, r.title);
        EXPECT_EQ(answer.seen()->text, r.text);
    }
}
