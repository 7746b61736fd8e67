// The main window on real widgets: its two layouts, the menu, the platform
// test, the topics, the way back from the launch layout, and the end of the
// program.
#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "tests/qt/QtShell.h"

using namespace qttest;

namespace {

QStringList visibleTexts(const QList<QAction*>& actions) {
    QStringList texts;
    for (QAction* a : actions)
        if (a->isVisible()) texts << a->text();
    return texts;
}

bool staysOnTop(const QWidget& w) { return w.windowFlags().testFlag(Qt::WindowStaysOnTopHint); }

}  // namespace

TEST_F(QtShell, NormalLayoutHasItsClientAreaBelowTheMenuBar) {
    qtui::FormWindow& w = window(*Form1);
    const int menu = w.menuBar()->height();
    EXPECT_GT(menu, 0);
    EXPECT_EQ(w.client()->y(), menu);
    EXPECT_EQ(w.client()->size(), QSize(409, 183));
    EXPECT_EQ(w.size(), QSize(409, menu + 183));
    EXPECT_EQ(w.minimumSize(), w.maximumSize()) << "the main window is not resizable";
    EXPECT_EQ(widget(Form1->Panel1)->geometry(), QRect(8, 0, 393, 161));
    EXPECT_EQ(widget(Form1->StatusBar1)->geometry(), QRect(0, 183 - 19, 409, 19));
    // The launch layout's last line lies below the panel and is clipped away.
    EXPECT_TRUE(widget(Form1->Label2)->visibleRegion().isEmpty());
    EXPECT_TRUE(widget(Form1->Label1)->visibleRegion().isEmpty());
    EXPECT_FALSE(staysOnTop(w));
    const Qt::WindowFlags flags = w.windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Dorvane Shell"));
    const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE((w.frameGeometry().center() - screenCentre).manhattanLength(), 8) << "centred when first shown";
}

TEST_F(QtShell, MenuBarHoldsTheModelsItemsWithMnemonics) {
    QMenuBar* bar = window(*Form1).menuBar();
    EXPECT_EQ(visibleTexts(bar->actions()),
              (QStringList{"&Regeneration", "&Feedback", "&About", "&Exit"}));
    const struct {
        const char* name;
        bool opensMenu;
    } items[] = {{"StartRegeneration1", true}, {"Feedback1", false}, {"About1", false}, {"Exit1", false}};
    for (const auto& item : items) {
        QAction* a = menuAction(item.name);
        ASSERT_NE(a, nullptr) << item.name;
        EXPECT_EQ(a->menu() != nullptr, item.opensMenu) << item.name;
    }
    QMenu* regeneration = menuAction("StartRegeneration1")->menu();
    EXPECT_EQ(regeneration->actions().size(), 2);
}

class PlatformTest : public QtShell, public ::testing::WithParamInterface<std::optional<sys::DWORD>> {
protected:
    std::optional<sys::DWORD> platform() const override { return GetParam(); }
};

TEST_P(PlatformTest, StartRegenerationStaysOnlyOnWindows9x) {
    waitForPlatformTest();
    const bool win9x = GetParam() == sys::VER_PLATFORM_WIN32_WINDOWS;
    QMenu* regeneration = menuAction("StartRegeneration1")->menu();
    const QStringList expected = win9x ? QStringList{"&Start Regeneration", "&Create Diskette"}
                                       : QStringList{"&Create Diskette"};
    EXPECT_EQ(visibleTexts(regeneration->actions()), expected);
}

INSTANTIATE_TEST_SUITE_P(Platforms, PlatformTest,
                         ::testing::Values(std::optional<sys::DWORD>{sys::VER_PLATFORM_WIN32_WINDOWS},
                                           std::optional<sys::DWORD>{sys::VER_PLATFORM_WIN32_NT},
                                           std::optional<sys::DWORD>{sys::VER_PLATFORM_WIN32s},
                                           std::optional<sys::DWORD>{}));

TEST_F(QtShell, TopicLabelsShowTheirTextAndTurnRedForGood) {
    struct Topic {
        forms::Label& label;
        forms::RichEdit& box;
    };
    const Topic topics[] = {{Form1->WelcomeLabel, Form1->WelcomeRichEdit},
                            {Form1->BenefitsLabel, Form1->BenefitsRichEdit},
                            {Form1->HowWorksLabel, Form1->HowWorksRichEdit},
                            {Form1->NotesLabel, Form1->NotesRichEdit}};
    // Clicks, in order, and which topics have been shown by then.
    const struct {
        int clicked;
        std::array<bool, 4> shownOnce;
    } steps[] = {
        {1, {true, true, false, false}},
        {2, {true, true, true, false}},
        {0, {true, true, true, false}},
        {3, {true, true, true, true}},
        {0, {true, true, true, true}},
    };
    for (const auto& step : steps) {
        QTest::mouseClick(widget(topics[step.clicked].label), Qt::LeftButton);
        for (int i = 0; i < 4; ++i) {
            SCOPED_TRACE(topics[i].label.name() + " after a click on " + topics[step.clicked].label.name());
            QWidget* label = widget(topics[i].label);
            const bool current = i == step.clicked;
            EXPECT_EQ(shownTo(topics[i].box), current);
            EXPECT_EQ(label->isEnabled(), !current);
            const QColor colour = label->palette().color(QPalette::Active, QPalette::WindowText);
            EXPECT_EQ(colour, step.shownOnce[static_cast<std::size_t>(i)] ? QColor(Qt::red) : QColor(Qt::blue));
            // The current topic's label is drawn greyed, whatever its colour.
            const int red = countPixels(*label, isRed);
            const int blue = countPixels(*label, isBlue);
            EXPECT_EQ(red > 0, !current && step.shownOnce[static_cast<std::size_t>(i)]);
            EXPECT_EQ(blue > 0, !current && !step.shownOnce[static_cast<std::size_t>(i)]);
        }
    }
}

TEST_F(QtShell, ClickOnTheCurrentTopicsLabelDoesNothing) {
    QTest::mouseClick(widget(Form1->WelcomeLabel), Qt::LeftButton);
    EXPECT_TRUE(shownTo(Form1->WelcomeRichEdit));
    EXPECT_FALSE(widget(Form1->WelcomeLabel)->isEnabled());
}

TEST_F(QtShell, LinksHaveHandCursors) {
    About->setVisible(true);
    FeedbackForm->setVisible(true);
    for (forms::Control* c : std::initializer_list<forms::Control*>{
             &Form1->WelcomeLabel, &Form1->HowWorksLabel, &Form1->BenefitsLabel, &Form1->NotesLabel, &Form1->Label2,
             &About->Label4, &FeedbackForm->Label_ContactUs})
        EXPECT_EQ(widget(*c)->cursor().shape(), Qt::PointingHandCursor) << c->name();
    EXPECT_EQ(widget(Form1->Label1)->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(QtShell9x, LaunchLayoutGrowsStaysOnTopAndLabel2MinimizesBack) {
    waitForPlatformTest();
    qtui::FormWindow& w = window(*Form1);
    const QPoint placed = w.pos();
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round == 0 ? "first launch" : "after the user restored the window");
        choose("Start1");
        ASSERT_TRUE(waitFor([&] { return w.isVisible(); }));
        EXPECT_EQ(w.client()->height(), 254);
        EXPECT_EQ(w.height(), w.menuBar()->height() + 254);
        EXPECT_EQ(widget(Form1->Panel1)->height(), 232);
        EXPECT_EQ(widget(Form1->StatusBar1)->geometry(), QRect(0, 254 - 19, 409, 19));
        EXPECT_TRUE(shownTo(Form1->StartRehenerationRichEdit));
        EXPECT_FALSE(widget(Form1->Label2)->visibleRegion().isEmpty());
        EXPECT_TRUE(staysOnTop(w));
        EXPECT_FALSE(w.isMinimized());
        EXPECT_EQ(w.pos(), placed) << "stay-on-top keeps the window where it was";

        QTest::mouseClick(widget(Form1->Label2), Qt::LeftButton);
        EXPECT_TRUE(w.isMinimized());
        EXPECT_FALSE(staysOnTop(w));
        EXPECT_EQ(w.client()->height(), 183);
        EXPECT_EQ(widget(Form1->Panel1)->height(), 161);
        EXPECT_FALSE(shownTo(Form1->StartRehenerationRichEdit));
        EXPECT_TRUE(shownTo(Form1->WelcomeRichEdit));
        EXPECT_FALSE(widget(Form1->WelcomeLabel)->isEnabled());

        // The user restores it; the next minimize must be a change again.
        w.showNormal();
        ASSERT_TRUE(waitFor([&] { return !w.isMinimized(); }));
    }
    EXPECT_EQ(Form1->windowState(), forms::WindowState::Normal);
}

TEST_F(QtShell9x, StartRegenerationWithoutTheImageSaysWhy) {
    waitForPlatformTest();
    kernel.files.clear();
    MessageBoxAnswer answer;
    choose("Start1");
    ASSERT_TRUE(answer.seen().has_value());
    EXPECT_EQ(answer.seen()->icon, QMessageBox::Critical);
    EXPECT_EQ(answer.seen()->title, QStringLiteral("Dorvane Shell"));
    EXPECT_TRUE(answer.seen()->text.contains(QStringLiteral("Dsck.tr")));
    // The layout changed before the launch was tried.
    EXPECT_EQ(window(*Form1).client()->height(), 254);
}

class EndOfProgram : public QtShell, public ::testing::WithParamInterface<bool> {};

TEST_P(EndOfProgram, ExitOrTheCloseBoxEndTheProgramWithEveryWindow) {
    choose("About1");
    choose("Feedback1");
    ASSERT_TRUE(shown(*About));
    ASSERT_TRUE(shown(*FeedbackForm));
    const bool byMenu = GetParam();
    if (byMenu)
        choose("Exit1");
    else
        window(*Form1).close();
    EXPECT_TRUE(backend.terminated());
    for (const forms::Form* f : {static_cast<forms::Form*>(Form1), static_cast<forms::Form*>(About),
                                 static_cast<forms::Form*>(FeedbackForm)})
        EXPECT_FALSE(window(*f).isVisible()) << f->name();
    EXPECT_EQ(backend.window(*Form2), nullptr) << "never shown, never built";
}

INSTANTIATE_TEST_SUITE_P(ExitOrCloseBox, EndOfProgram, ::testing::Bool());

class MenuKey : public QtShell, public ::testing::WithParamInterface<bool> {};

TEST_P(MenuKey, F10OrAltOpensTheMenuBarAndArrowsAndEnterChoose) {
    waitForPlatformTest();
    qtui::FormWindow& w = window(*Form1);
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    const bool f10 = GetParam();
    if (f10) {
        QTest::keyClick(&w, Qt::Key_F10);
    } else {
        QTest::keyPress(&w, Qt::Key_Alt, Qt::AltModifier);
        QTest::keyRelease(&w, Qt::Key_Alt, Qt::NoModifier);
    }
    QMenuBar* bar = w.menuBar();
    ASSERT_TRUE(waitFor([&] { return bar->activeAction() == menuAction("StartRegeneration1"); }));
    // On this platform the menu holds Create Diskette only.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QMenu* regeneration = menuAction("StartRegeneration1")->menu();
    ASSERT_TRUE(waitFor([&] { return regeneration->isVisible(); }));
    QTest::keyClick(regeneration, Qt::Key_Return);
    EXPECT_TRUE(waitFor([&] { return window(*Form2).isVisible(); }));
}

INSTANTIATE_TEST_SUITE_P(F10OrAlt, MenuKey, ::testing::Bool());

TEST_F(QtShell, AltLetterOpensItsMenu) {
    qtui::FormWindow& w = window(*Form1);
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(&w, Qt::Key_A, Qt::AltModifier);
    EXPECT_TRUE(waitFor([&] { return window(*About).isVisible(); }));
}
