// Pictures of every window and state, kept in docs/screenshots for people to
// look at. Each picture is checked for having the window's size and more
// than one colour, so a blank or clipped grab fails here.
#include <QDir>
#include <QImage>
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

void save(QWidget& w, const char* name) {
    ASSERT_TRUE(QDir().mkpath(screenshotDir()));
    const QPixmap shot = w.grab();
    EXPECT_EQ(shot.size(), w.size()) << name;
    EXPECT_GT(colourCount(shot.toImage()), 2) << name << " looks blank";
    EXPECT_TRUE(shot.save(screenshotDir() + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png")))
        << name;
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
    choose("Start1");
    ASSERT_TRUE(waitFor([&] { return window(*Form1).isVisible(); }));
    save(window(*Form1), "main-launch");
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
    // a progress report half way through.
    bool grabbed = false;
    Form2->ProgressBar1.observe([&](forms::Prop) {
        if (!grabbed && Form2->ProgressBar1.position() >= 1172) {
            grabbed = true;
            save(dialog, "create-diskette-writing");
        }
    });
    QTest::mouseClick(widget(Form2->ContinueCreateDisketteButton), Qt::LeftButton);
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
}
