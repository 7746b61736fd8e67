// The Create Diskette dialog on real widgets: the run's painting while it
// blocks the event loop, and the client area of every form's window.
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include "tests/qt/QtShell.h"

using namespace qttest;

namespace {

class CreateDiskette : public QtShell {
protected:
    void SetUp() override {
        QtShell::SetUp();
        waitForPlatformTest();
    }

    void click(forms::Control& c) {
        auto* b = widgetAs<QPushButton>(c);
        ASSERT_NE(b, nullptr) << c.name();
        ASSERT_TRUE(b->isVisible()) << c.name() << " is not there to be clicked";
        QTest::mouseClick(b, Qt::LeftButton);
    }
    void open() {
        choose("CreateDiskette2");
        ASSERT_TRUE(shown(*Form2));
    }
};

}  // namespace

// Which states the dialog goes through is proven on the model; what a
// renderer must do with each control is the contract table's. Here: each
// form's window holds the client area its form asks for.
TEST_F(QtShell, EachWindowHoldsItsFormsClientArea) {
    const struct {
        forms::Form* form;
        QSize client;
    } rows[] = {
        {Form1, {409, 183}}, {Form2, {288, 106}}, {About, {290, 152}}, {FeedbackForm, {489, 487}}};
    for (const auto& r : rows) {
        r.form->setVisible(true);
        ASSERT_TRUE(shown(*r.form)) << r.form->name();
        EXPECT_EQ(window(*r.form).client()->size(), r.client) << r.form->name();
    }
}

TEST_F(CreateDiskette, TheRunPaintsItsMemoAndBarWhileTheLoopIsBlocked) {
    open();
    click(Form2->FirstInformationButton);
    auto* memo = widgetAs<QPlainTextEdit>(Form2->PleaseWaitMemo);
    auto* bar = widgetAs<QProgressBar>(Form2->ProgressBar1);
    ASSERT_NE(memo, nullptr);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), 2384);
    EXPECT_FALSE(bar->isTextVisible());

    // Paints of the memo's text area, and where the bar stood at each one.
    struct PaintLog : QObject {
        QProgressBar* bar;
        std::vector<int> positions;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Paint) positions.push_back(bar->value());
            return false;
        }
    } log;
    log.bar = bar;
    memo->viewport()->installEventFilter(&log);
    click(Form2->ContinueCreateDisketteButton);
    memo->viewport()->removeEventFilter(&log);

    // Nothing pumps events during the run: every paint is one of its 22 reports.
    EXPECT_GE(log.positions.size(), 22u);
    ASSERT_FALSE(log.positions.empty());
    EXPECT_EQ(log.positions.back(), 2384);
    EXPECT_TRUE(std::is_sorted(log.positions.begin(), log.positions.end()));
    EXPECT_TRUE(shownTo(Form2->DisketteCreatedButton));
    EXPECT_EQ(bar->value(), 2384) << "the hidden bar keeps its last position";
}
