// The Create Diskette dialog on real widgets: every state reached by clicks,
// read back from which widgets are showing and which one holds the focus,
// and the run's painting while it blocks the event loop.
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include "tests/qt/QtShell.h"

using namespace qttest;

namespace {

enum class State { Information, Confirmation, Created, WriteError };

// The controls each state shows; all others of the twelve are hidden.
std::vector<forms::Control*> showing(State s) {
    switch (s) {
        case State::Information: return {&Form2->CannotBeDirectlyStartedMemo, &Form2->FirstInformationButton};
        case State::Confirmation:
            return {&Form2->InsertDisketteLabel, &Form2->DataWillBeDestroyedLabel,
                    &Form2->ContinueCreateDisketteButton, &Form2->CancelCreateDisketteButton};
        case State::Created: return {&Form2->DisketteCreatedMemo, &Form2->DisketteCreatedButton};
        case State::WriteError: return {&Form2->WriteErrorMemo, &Form2->WriteErrorButton};
    }
    return {};
}

std::vector<forms::Control*> twelve() {
    return {&Form2->InsertDisketteLabel,  &Form2->DataWillBeDestroyedLabel, &Form2->ContinueCreateDisketteButton,
            &Form2->CancelCreateDisketteButton, &Form2->FirstInformationButton, &Form2->CannotBeDirectlyStartedMemo,
            &Form2->PleaseWaitMemo,       &Form2->ProgressBar1,            &Form2->WriteErrorButton,
            &Form2->WriteErrorMemo,       &Form2->DisketteCreatedMemo,     &Form2->DisketteCreatedButton};
}

class CreateDiskette : public QtShell {
protected:
    void SetUp() override {
        QtShell::SetUp();
        waitForPlatformTest();
    }

    void expectState(State s) {
        const auto shown = showing(s);
        for (forms::Control* c : twelve()) {
            const bool expected = std::find(shown.begin(), shown.end(), c) != shown.end();
            EXPECT_EQ(shownTo(*c), expected) << c->name();
        }
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
    QWidget* focused() { return window(*Form2).focusWidget(); }
};

}  // namespace

TEST_F(CreateDiskette, EveryPathThroughTheDialog) {
    struct Path {
        const char* name;
        bool diskette;  // a diskette in drive A:
        State end;
        forms::Control* endButton;
    };
    const Path paths[] = {
        {"written", true, State::Created, &Form2->DisketteCreatedButton},
        {"no diskette", false, State::WriteError, &Form2->WriteErrorButton},
    };
    for (const Path& p : paths) {
        SCOPED_TRACE(p.name);
        kernel.disketteInserted = p.diskette;
        open();
        expectState(State::Information);
        EXPECT_EQ(window(*Form2).size(), QSize(288, 106));

        click(Form2->FirstInformationButton);
        expectState(State::Confirmation);
        EXPECT_EQ(focused(), widget(Form2->CancelCreateDisketteButton)) << "Cancel, not Continue, has the focus";

        click(Form2->ContinueCreateDisketteButton);
        expectState(p.end);
        EXPECT_EQ(focused(), widget(*p.endButton));

        click(*p.endButton);
        EXPECT_FALSE(window(*Form2).isVisible());
        expectState(State::Information);
    }
}

TEST_F(CreateDiskette, CancelAndTheCloseBoxOnlyHideAndTheMenuStartsOver) {
    open();
    click(Form2->FirstInformationButton);
    click(Form2->CancelCreateDisketteButton);
    EXPECT_FALSE(window(*Form2).isVisible());
    expectState(State::Confirmation);  // left as it was on the hidden form

    open();
    expectState(State::Information);
    click(Form2->FirstInformationButton);
    window(*Form2).close();
    EXPECT_FALSE(window(*Form2).isVisible());
    EXPECT_TRUE(window(*Form1).isVisible()) << "closing the dialog does not end the program";
    EXPECT_FALSE(backend.terminated());

    open();
    expectState(State::Information);
}

TEST_F(CreateDiskette, OpeningAgainWhileVisibleResetsButDoesNotMove) {
    open();
    qtui::FormWindow& w = window(*Form2);
    w.move(w.pos() + QPoint(13, 7));
    const QPoint moved = w.pos();
    click(Form2->FirstInformationButton);
    choose("CreateDiskette2");
    expectState(State::Information);
    EXPECT_EQ(w.pos(), moved);
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
    expectState(State::Created);
    EXPECT_EQ(bar->value(), 2384) << "the hidden bar keeps its last position";
}
