// The feedback form and the about box on real widgets: opening, keys,
// typing without echo, the two rating groups, the hover underline, links.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "feedback/MailAddresses.h"
#include "tests/qt/QtShell.h"

using namespace qttest;

namespace {

class Feedback : public QtShell {
protected:
    void SetUp() override {
        QtShell::SetUp();
        choose("Feedback1");
        ASSERT_TRUE(shown(*FeedbackForm));
    }

public:
    qtui::FormWindow& form() { return window(*FeedbackForm); }
    QLineEdit* name() { return widgetAs<QLineEdit>(FeedbackForm->Edit_YourName); }
    QPlainTextEdit* comments() { return widgetAs<QPlainTextEdit>(FeedbackForm->Memo_Comments); }
    QRadioButton* radio(forms::RadioButton& r) { return widgetAs<QRadioButton>(r); }
};

}  // namespace

TEST_F(Feedback, IsASizeableToolWindowOnTopWithTheNameFocused) {
    const Qt::WindowFlags flags = form().windowFlags();
    EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_TRUE(flags.testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_NE(form().minimumSize(), form().maximumSize()) << "the user may resize it";
    EXPECT_EQ(form().size(), QSize(489, 487));
    EXPECT_EQ(form().focusWidget(), name());
    EXPECT_EQ(name()->maxLength(), std::numeric_limits<int>::max());
    const QFont f = widget(FeedbackForm->Label_YourName)->font();
    EXPECT_TRUE(f.bold());
}

TEST_F(Feedback, TypingReachesTheModelOnceAndIsNotEchoed) {
    int notices = 0;
    FeedbackForm->Edit_YourName.observe([&](forms::Prop p) { notices += p == forms::Prop::Text; });
    QTest::keyClicks(name(), QStringLiteral("Ann"));
    EXPECT_EQ(FeedbackForm->Edit_YourName.text(), "Ann");
    EXPECT_EQ(notices, 3);
    // An echo would set the text again and throw the caret to the end.
    name()->setCursorPosition(1);
    QTest::sendKeyEvent(QTest::Click, name(), Qt::Key_unknown, QString::fromUtf8("\u00e9"), Qt::NoModifier);
    EXPECT_EQ(FeedbackForm->Edit_YourName.text(), "A\u00e9nn");
    EXPECT_EQ(name()->cursorPosition(), 2);
    EXPECT_EQ(notices, 4);
}

TEST_F(Feedback, EnterInTheMemoStartsALineAndInTheNameSendsNothing) {
    QTest::keyClick(name(), Qt::Key_Return);
    EXPECT_TRUE(form().isVisible());
    EXPECT_TRUE(shell.requests.empty());

    comments()->setFocus();
    QTest::keyClicks(comments(), QStringLiteral("one"));
    QTest::keyClick(comments(), Qt::Key_Return);
    QTest::keyClicks(comments(), QStringLiteral("two"));
    EXPECT_EQ(FeedbackForm->Memo_Comments.text(), "one\r\ntwo");
    EXPECT_TRUE(form().isVisible());
    EXPECT_TRUE(shell.requests.empty());
}

TEST_F(Feedback, EachRatingGroupKeepsOneCheck) {
    forms::RadioButton* features[] = {&FeedbackForm->RadioButton_ExcelentFeatures, &FeedbackForm->RadioButton_GoodFeatures,
                                      &FeedbackForm->RadioButton_AverageFeatures, &FeedbackForm->RadioButton_BadFeatures,
                                      &FeedbackForm->RadioButton_VeryBadFeatures};
    forms::RadioButton* overall[] = {&FeedbackForm->RadioButton_ExcellentProgram, &FeedbackForm->RadioButton_GoodProgram,
                                     &FeedbackForm->RadioButton_AverageProgram, &FeedbackForm->RadioButton_BadProgram,
                                     &FeedbackForm->RadioButton_VeryBadProgram};
    // Clicks in turn; after each, the one checked button of each group.
    const struct {
        forms::RadioButton* click;
        int features;
        int overall;
    } steps[] = {{features[1], 1, -1}, {overall[4], 1, 4}, {features[3], 3, 4}, {overall[0], 3, 0}};
    for (const auto& step : steps) {
        QTest::mouseClick(radio(*step.click), Qt::LeftButton);
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(radio(*features[i])->isChecked(), i == step.features) << features[i]->name();
            EXPECT_EQ(features[i]->checked(), i == step.features) << features[i]->name();
            EXPECT_EQ(radio(*overall[i])->isChecked(), i == step.overall) << overall[i]->name();
            EXPECT_EQ(overall[i]->checked(), i == step.overall) << overall[i]->name();
        }
    }
}

TEST_F(Feedback, SupportAddressUnderlinesUnderTheMouseAndOpensAMail) {
    QWidget* contact = widget(FeedbackForm->Label_ContactUs);
    EXPECT_FALSE(contact->font().underline());
    EXPECT_EQ(contact->palette().color(QPalette::Active, QPalette::WindowText), QColor(Qt::blue));
    QTest::mouseMove(contact, contact->rect().center());
    EXPECT_TRUE(waitFor([&] { return contact->font().underline(); }));
    QTest::mouseMove(&form(), QPoint(2, 2));
    EXPECT_TRUE(waitFor([&] { return !contact->font().underline(); }));

    QTest::mouseClick(contact, Qt::LeftButton);
    ASSERT_EQ(shell.requests.size(), 1u);
    EXPECT_EQ(shell.requests[0], fakes::AddressRequest("mailto:" + std::string(feedback::SupportMailAddress)));
    EXPECT_TRUE(form().isVisible());
}

TEST_F(Feedback, TabFollowsTheFormsKeyboardOrder) {
    form().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form()));
    const auto tabs = [&](Qt::KeyboardModifiers modifiers) {
        name()->setFocus();
        QStringList visited;
        for (int i = 0; i < 7; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, modifiers);
            visited << QApplication::focusWidget()->objectName();
        }
        return visited;
    };
    // Each rating group is one stop: its checked button, else its first.
    EXPECT_EQ(tabs(Qt::NoModifier),
              (QStringList{"Memo_Comments", "RadioButton_ExcelentFeatures", "RadioButton_ExcellentProgram",
                           "Button_SendMail", "Button_Cancel", "Label_ContactUs", "Edit_YourName"}));
    QTest::mouseClick(radio(FeedbackForm->RadioButton_BadFeatures), Qt::LeftButton);
    EXPECT_EQ(tabs(Qt::ShiftModifier),
              (QStringList{"Label_ContactUs", "Button_Cancel", "Button_SendMail", "RadioButton_ExcellentProgram",
                           "RadioButton_BadFeatures", "Memo_Comments", "Edit_YourName"}));
    // An arrow key moves within the group and checks the button, also from
    // one that is not checked.
    radio(FeedbackForm->RadioButton_ExcellentProgram)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), radio(FeedbackForm->RadioButton_GoodProgram));
    EXPECT_TRUE(radio(FeedbackForm->RadioButton_GoodProgram)->isChecked());
    EXPECT_TRUE(FeedbackForm->RadioButton_GoodProgram.checked());
}

TEST_F(QtShell, AboutBoxOpensWithOkFocusedAndEnterHidesIt) {
    for (int opening = 0; opening < 2; ++opening) {
        choose("About1");
        qtui::FormWindow& about = window(*About);
        ASSERT_TRUE(shown(*About));
        EXPECT_EQ(about.client()->size(), QSize(290, 152));
        EXPECT_EQ(about.client()->palette().color(QPalette::Window), QColor(Qt::white));
        EXPECT_EQ(qobject_cast<QLabel*>(widget(About->Label2))->text(), QStringLiteral("Version 1.32"));
        EXPECT_EQ(about.focusWidget(), widget(About->BitBtn1));
        QTest::keyClick(about.focusWidget(), Qt::Key_Return);
        EXPECT_FALSE(about.isVisible()) << "opening " << opening;
    }
}

TEST_F(QtShell, AboutLinkOpensTheSiteEachTimeAndTheBoxStays) {
    choose("About1");
    ASSERT_TRUE(shown(*About));
    QWidget* link = widget(About->Label4);
    EXPECT_TRUE(link->font().underline());
    for (int i = 0; i < 2; ++i) QTest::mouseClick(link, Qt::LeftButton);
    ASSERT_EQ(shell.requests.size(), 2u);
    EXPECT_EQ(shell.requests[1].verb, "open");
    EXPECT_EQ(shell.requests[1].file, ProductWebSite);
    EXPECT_TRUE(window(*About).isVisible());
    // Choosing About again leaves the open box where it is.
    window(*About).move(window(*About).pos() + QPoint(5, 5));
    const QPoint at = window(*About).pos();
    choose("About1");
    EXPECT_EQ(window(*About).pos(), at);
}
