// Pictures of every window and state, kept in docs/screenshots for people to
// look at. Each picture is checked for having the window's size and more
// than one colour, so a blank or clipped grab fails here.
#include <QDir>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QTest>

#include "tests/qt/QtShell.h"

using namespace qttest;

namespace {

QString screenshotDir() { return QString::fromUtf8(DORVANE_SCREENSHOT_DIR); }

int colourCount(const QImage& image) {
    QList<QRgb> seen;
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3) {
            const QRgb c = image.pixel(x, y);
            if (!seen.contains(c)) seen.append(c);
            if (seen.size() > 8) return static_cast<int>(seen.size());
        }
    return static_cast<int>(seen.size());
}

void saveImage(const QImage& shot, QSize size, const char* name) {
    ASSERT_TRUE(QDir().mkpath(screenshotDir()));
    EXPECT_EQ(shot.size(), size) << name;
    EXPECT_GT(colourCount(shot), 2) << name << " looks blank";
    EXPECT_TRUE(shot.save(screenshotDir() + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"))) << name;
}

void save(QWidget& w, const char* name) { saveImage(w.grab().toImage(), w.size(), name); }

// The main window with its Regeneration menu open: the menu is a window of
// its own, painted over the main window where it stands.
void saveWithMenuOpen(QtShell& shell, const char* name) {
    qtui::FormWindow& main = shell.window(*Form1);
    QMenuBar* bar = main.menuBar();
    QAction* regeneration = shell.menuAction("StartRegeneration1");
    QMenu* menu = regeneration->menu();
    menu->popup(bar->mapToGlobal(bar->actionGeometry(regeneration).bottomLeft()));
    ASSERT_TRUE(waitFor([&] { return menu->isVisible(); }));
    bar->setActiveAction(regeneration);
    QImage shot = main.grab().toImage();
    QPainter painter(&shot);
    painter.drawPixmap(menu->pos() - main.mapToGlobal(QPoint(0, 0)), menu->grab());
    painter.end();
    menu->hide();
    bar->setActiveAction(nullptr);
    saveImage(shot, main.size(), name);
}

}  // namespace

TEST_F(QtShell9x, ScreenshotsOfTheMainWindow) {
    waitForPlatformTest();
    save(window(*Form1), "main-normal");
    const struct {
        forms::Label& label;
        const char* name;
    } topics[] = {{Form1->BenefitsLabel, "main-benefits"},
                  {Form1->HowWorksLabel, "main-how-it-works"},
                  {Form1->NotesLabel, "main-notes"},
                  {Form1->WelcomeLabel, "main-welcome-again"}};
    for (const auto& t : topics) {
        QTest::mouseClick(widget(t.label), Qt::LeftButton);
        save(window(*Form1), t.name);
    }
    saveWithMenuOpen(*this, "main-menu-windows9x");
    choose("Start1");
    ASSERT_TRUE(waitFor([&] { return window(*Form1).isVisible(); }));
    save(window(*Form1), "main-launch");

    // "click here to minimize this window", and the window restored.
    QTest::mouseClick(widget(Form1->Label2), Qt::LeftButton);
    ASSERT_TRUE(waitFor([&] { return window(*Form1).isMinimized(); }));
    window(*Form1).showNormal();
    ASSERT_TRUE(waitFor([&] { return !window(*Form1).isMinimized(); }));
    save(window(*Form1), "main-after-minimize");
}

TEST_F(QtShell, ScreenshotOfTheMenuWithoutStartRegeneration) {
    waitForPlatformTest();
    saveWithMenuOpen(*this, "main-menu-nt");
}

TEST_F(QtShell, ScreenshotsOfTheCreateDisketteStates) {
    waitForPlatformTest();
    choose("CreateDiskette2");
    ASSERT_TRUE(shown(*Form2));
    qtui::FormWindow& dialog = window(*Form2);
    save(dialog, "create-diskette-information");
    QTest::mouseClick(widget(Form2->FirstInformationButton), Qt::LeftButton);
    save(dialog, "create-diskette-confirmation");

    // The writing state lasts only while the run blocks the loop: grab it at
    // the first progress report and at one half way through.
    bool started = false, grabbed = false;
    Form2->ProgressBar1.observe([&](forms::Prop) {
        const int position = Form2->ProgressBar1.position();
        if (!started && position > 0) {
            started = true;
            save(dialog, "create-diskette-writing-start");
        }
        if (!grabbed && position >= 1172) {
            grabbed = true;
            save(dialog, "create-diskette-writing");
        }
    });
    QTest::mouseClick(widget(Form2->ContinueCreateDisketteButton), Qt::LeftButton);
    EXPECT_TRUE(started);
    EXPECT_TRUE(grabbed);
    save(dialog, "create-diskette-created");

    QTest::mouseClick(widget(Form2->DisketteCreatedButton), Qt::LeftButton);
    kernel.disketteInserted = false;
    choose("CreateDiskette2");
    ASSERT_TRUE(shown(*Form2));
    QTest::mouseClick(widget(Form2->FirstInformationButton), Qt::LeftButton);
    QTest::mouseClick(widget(Form2->ContinueCreateDisketteButton), Qt::LeftButton);
    save(dialog, "create-diskette-write-error");
}

TEST_F(QtShell, ScreenshotsOfTheAboutBoxAndTheFeedbackForm) {
    choose("About1");
    ASSERT_TRUE(shown(*About));
    save(window(*About), "about");
    choose("Feedback1");
    ASSERT_TRUE(shown(*FeedbackForm));
    save(window(*FeedbackForm), "feedback");

    // Sent with no answer: the three questions turn red.
    QTest::mouseClick(widget(FeedbackForm->Button_SendMail), Qt::LeftButton);
    ASSERT_EQ(FeedbackForm->Label_ProgramRate.font().color, forms::clRed);
    save(window(*FeedbackForm), "feedback-missing-answers");

    // Every answer given and sent: black again, and the mail handed on.
    QTest::keyClicks(widget(FeedbackForm->Edit_YourName), QStringLiteral("Ann Example"));
    QTest::mouseClick(widget(FeedbackForm->RadioButton_GoodFeatures), Qt::LeftButton);
    QTest::mouseClick(widget(FeedbackForm->RadioButton_ExcellentProgram), Qt::LeftButton);
    QTest::keyClicks(widget(FeedbackForm->Memo_Comments), QStringLiteral("Works well."));
    QTest::mouseClick(widget(FeedbackForm->Button_SendMail), Qt::LeftButton);
    ASSERT_EQ(FeedbackForm->Label_ProgramRate.font().color, forms::clBlack);
    ASSERT_EQ(shell.requests.size(), 1u);
    save(window(*FeedbackForm), "feedback-answered");
}
