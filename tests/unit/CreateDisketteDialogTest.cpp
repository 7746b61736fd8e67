// The Create Diskette dialog: its states, the order of each transition, the
// focus moves and what the progress bar shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <span>

#include "tests/fakes/AppFixture.h"
#include "tests/fakes/TestImage.h"

using namespace fakes;

namespace {

// 1 = visible, 0 = hidden, in the dialog's row order.
std::string rows(TForm2& f) {
    const forms::Control* order[] = {&f.CancelCreateDisketteButton,   &f.CannotBeDirectlyStartedMemo,
                                     &f.ContinueCreateDisketteButton, &f.DataWillBeDestroyedLabel,
                                     &f.FirstInformationButton,       &f.InsertDisketteLabel,
                                     &f.PleaseWaitMemo,               &f.WriteErrorButton,
                                     &f.WriteErrorMemo,               &f.ProgressBar1,
                                     &f.DisketteCreatedButton,        &f.DisketteCreatedMemo};
    std::string s;
    for (const auto* c : order) s += c->visible() ? '1' : '0';
    return s;
}

//                                   CaCnCoDaFiInPwEbEmPbCbCm
constexpr const char* Information = "010010000000";
constexpr const char* Confirmation = "101101000000";
constexpr const char* Writing = "000000100100";
constexpr const char* WriteError = "000000011000";
constexpr const char* Created = "000000000011";

class DialogTest : public AppFixture {
protected:
    std::vector<std::string> events;

    void SetUp() override {
        AppFixture::SetUp();
        kernel.files["dsck.tr"] = NumberedImage(1408);
        Form1->CreateDiskette2.click();
    }
    // Records every visibility, focus and repaint change of the dialog.
    void watch() {
        auto add = [this](forms::Control& c) {
            c.observe([this, &c](forms::Prop p) {
                if (p == forms::Prop::Visible) events.push_back(c.name() + (c.visible() ? "+" : "-"));
                if (p == forms::Prop::Focus) events.push_back("focus " + Form2->activeControl()->name());
                if (p == forms::Prop::Repaint) events.push_back("paint " + c.name());
            });
        };
        add(*Form2);
        for (forms::Control* c : Form2->controls()) add(*c);
    }
};

}  // namespace

TEST_F(DialogTest, TransitionsAndFocus) {
    struct Step {
        const char* what;
        std::function<void()> act;
        bool formVisible;
        const char* state;
        const forms::Control* focus;
    };
    const auto walk = [](std::span<const Step> steps) {
        for (const Step& s : steps) {
            s.act();
            EXPECT_EQ(Form2->visible(), s.formVisible) << s.what;
            EXPECT_EQ(rows(*Form2), s.state) << s.what;
            if (s.focus) {
                EXPECT_EQ(Form2->activeControl(), s.focus) << s.what;
            }
        }
    };
    auto ok = [] { Form2->FirstInformationButton.click(); };
    auto cont = [] { Form2->ContinueCreateDisketteButton.click(); };
    const Step success[] = {
        {"open", [] {}, true, Information, nullptr},
        {"OK", ok, true, Confirmation, &Form2->CancelCreateDisketteButton},
        {"Continue", cont, true, Created, &Form2->DisketteCreatedButton},
        {"OK (created)", [] { Form2->DisketteCreatedButton.click(); }, false, Information, nullptr},
    };
    walk(success);
    EXPECT_EQ(Form2->ProgressBar1.position(), 2384);

    kernel.disketteInserted = false;
    const Step failure[] = {
        {"menu", [] { Form1->CreateDiskette2.click(); }, true, Information, nullptr},
        {"OK", ok, true, Confirmation, &Form2->CancelCreateDisketteButton},
        {"Continue", cont, true, WriteError, &Form2->WriteErrorButton},
        {"Abort", [] { Form2->WriteErrorButton.click(); }, false, Information, nullptr},
        {"menu", [] { Form1->CreateDiskette2.click(); }, true, Information, nullptr},
        {"OK", ok, true, Confirmation, &Form2->CancelCreateDisketteButton},
        // Cancel only hides: the confirmation controls stay until the next opening.
        {"Cancel", [] { Form2->CancelCreateDisketteButton.click(); }, false, Confirmation, nullptr},
        {"menu", [] { Form1->CreateDiskette2.click(); }, true, Information, nullptr},
    };
    walk(failure);

    // Esc is the close box before a run, never a step towards writing, and
    // the result's button after one.
    auto esc = [] { Form2->keyEscape(); };
    auto menu = [] { Form1->CreateDiskette2.click(); };
    const Step beforeRun[] = {
        {"menu", menu, true, Information, nullptr},
        {"Esc (information)", esc, false, Information, nullptr},
        {"menu", menu, true, Information, nullptr},
        {"OK", ok, true, Confirmation, &Form2->CancelCreateDisketteButton},
        {"Esc (confirmation)", esc, false, Confirmation, nullptr},
    };
    const auto calls = kernel.log().size();
    walk(beforeRun);
    EXPECT_EQ(kernel.log().size(), calls) << "nothing opened, nothing written";
    const Step results[] = {
        {"menu", menu, true, Information, nullptr},
        {"OK", ok, true, Confirmation, &Form2->CancelCreateDisketteButton},
        {"Continue", cont, true, WriteError, &Form2->WriteErrorButton},
        {"Esc (write error): Abort", esc, false, Information, nullptr},
        {"menu, a blank diskette inserted", [&] {
             kernel.disketteInserted = true;
             kernel.disketteFiles.clear();
             menu();
         }, true, Information, nullptr},
        {"OK", ok, true, Confirmation, &Form2->CancelCreateDisketteButton},
        {"Continue", cont, true, Created, &Form2->DisketteCreatedButton},
        {"Esc (created): OK", esc, false, Information, nullptr},
    };
    walk(results);
}

// While the run holds the loop the system is answered between every two
// transfers; input that waited is dropped once the run is over and before
// the result state takes the focus; close requests of the dialog and of the
// main window, during the run or waiting at its end, close nothing. Whichever
// way the run ends, its result stays on screen.
TEST_F(DialogTest, WhatArrivesWhileTheRunHoldsTheLoopLeavesTheResultOnScreen) {
    for (bool inserted : {true, false}) {
        SCOPED_TRACE(inserted ? "created" : "write error");
        kernel.disketteInserted = inserted;
        Form1->CreateDiskette2.click();
        Form2->FirstInformationButton.click();
        ASSERT_EQ(backend.inputDiscards, 0);
        const auto closeBoth = [] {
            Form2->closeBox();
            Form1->closeBox();
        };
        std::vector<std::size_t> callsAtAnswers;
        backend.onAnswerSystem = [&] {
            callsAtAnswers.push_back(kernel.calls.size());
            closeBoth();
        };
        std::string stateAtDiscard;
        int handlesAtDiscard = -1;
        const forms::Control* focusAtDiscard = nullptr;
        backend.onDiscardInput = [&] {
            stateAtDiscard = rows(*Form2);
            handlesAtDiscard = kernel.openHandles();
            focusAtDiscard = Form2->activeControl();
            closeBoth();
        };
        const std::size_t callsBefore = kernel.calls.size();
        Form2->ContinueCreateDisketteButton.click();
        EXPECT_EQ(backend.inputDiscards, 1);
        EXPECT_EQ(stateAtDiscard, "000000100100");  // still the writing state
        EXPECT_EQ(handlesAtDiscard, 0);             // the run is over
        EXPECT_NE(focusAtDiscard, &Form2->DisketteCreatedButton);
        EXPECT_NE(focusAtDiscard, &Form2->WriteErrorButton);
        EXPECT_EQ(Form2->activeControl(), inserted ? &Form2->DisketteCreatedButton : &Form2->WriteErrorButton);
        EXPECT_TRUE(Form2->visible());
        EXPECT_EQ(rows(*Form2), inserted ? Created : WriteError);
        EXPECT_FALSE(app.terminated());
        // No two transfers without an answer between them.
        std::vector<std::size_t> writes;
        for (std::size_t i = callsBefore; i < kernel.calls.size(); ++i)
            if (kernel.calls[i].op == Op::WriteFile) writes.push_back(i);
        EXPECT_EQ(writes.size(), inserted ? 31u : 0u);
        for (std::size_t w = 0; w + 1 < writes.size(); ++w)
            EXPECT_TRUE(std::any_of(callsAtAnswers.begin(), callsAtAnswers.end(),
                                    [&](std::size_t a) { return a > writes[w] && a <= writes[w + 1]; }))
                << "between calls " << writes[w] << " and " << writes[w + 1];

        backend.onAnswerSystem = nullptr;
        backend.onDiscardInput = nullptr;
        // Once the result is shown, the close box closes again.
        Form2->closeBox();
        EXPECT_FALSE(Form2->visible());
        EXPECT_EQ(backend.inputDiscards, 1);
        backend.inputDiscards = 0;
    }
}

// Where the diagnostics show causes (the Linux program), a failed run shows
// its cause under "Disk Write Error!", the dialog grown to hold it; every
// reset and the next opening hide it. Silent diagnostics (the Windows
// program) and a good run leave the dialog as it always was.
TEST_F(DialogTest, TheCauseOfAFailureIsShownWhereTheDiagnosticsGiveOne) {
    const int height = Form2->height();
    const struct {
        const char* what;
        bool shows;
        std::size_t imageSectors;
        const char* cause;  // null: no cause shown
    } cases[] = {
        {"showing, short image", true, 1000,
         "the regeneration image Dsck.tr is too short: 512000 bytes, at least 676352 needed"},
        {"silent, short image", false, 1000, nullptr},
        {"showing, good run", true, 1408, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        diagnostics.showsCause = c.shows;
        kernel.files["dsck.tr"] = NumberedImage(c.imageSectors);
        Form1->CreateDiskette2.click();
        Form2->FirstInformationButton.click();
        Form2->ContinueCreateDisketteButton.click();
        EXPECT_EQ(Form2->WriteErrorCauseMemo.visible(), c.cause != nullptr);
        EXPECT_EQ(Form2->WriteErrorCauseMemo.text(), c.cause ? c.cause : "");
        EXPECT_EQ(Form2->height() > height, c.cause != nullptr);
        if (c.cause) {
            EXPECT_LE(Form2->WriteErrorCauseMemo.top() + Form2->WriteErrorCauseMemo.height(), Form2->clientHeight());
            EXPECT_EQ(Form2->activeControl(), &Form2->WriteErrorButton);
            // Opened again while it shows, the dialog starts over without it.
            Form1->CreateDiskette2.click();
            EXPECT_FALSE(Form2->WriteErrorCauseMemo.visible());
            EXPECT_EQ(Form2->height(), height);
            Form2->FirstInformationButton.click();
            Form2->ContinueCreateDisketteButton.click();
            ASSERT_TRUE(Form2->WriteErrorCauseMemo.visible());
        }
        (c.imageSectors == 1408 ? Form2->DisketteCreatedButton : Form2->WriteErrorButton).click();
        EXPECT_FALSE(Form2->WriteErrorCauseMemo.visible());
        EXPECT_EQ(Form2->height(), height);
    }
}

TEST_F(DialogTest, ConfirmationFocusesCancelRightAfterShowingIt) {
    watch();
    Form2->FirstInformationButton.click();
    const std::vector<std::string> expected = {
        "CancelCreateDisketteButton+",  "focus CancelCreateDisketteButton", "CannotBeDirectlyStartedMemo-",
        "ContinueCreateDisketteButton+", "DataWillBeDestroyedLabel+",       "FirstInformationButton-",
        "InsertDisketteLabel+"};
    EXPECT_EQ(events, expected);
}

TEST_F(DialogTest, ResetHidesTheFormBetweenTheFirstTenRowsAndTheLastTwo) {
    Form2->FirstInformationButton.click();
    Form2->ContinueCreateDisketteButton.click();
    ASSERT_EQ(rows(*Form2), Created);
    watch();
    Form2->DisketteCreatedButton.click();
    const std::vector<std::string> expected = {"CannotBeDirectlyStartedMemo+", "FirstInformationButton+", "Form2-",
                                               "DisketteCreatedButton-", "DisketteCreatedMemo-"};
    EXPECT_EQ(events, expected);
}

TEST_F(DialogTest, EachReportMovesTheBarAndRepaintsTheWaitingText) {
    Form2->FirstInformationButton.click();
    std::vector<int> positions;
    Form2->ProgressBar1.observe([&](forms::Prop p) {
        if (p == forms::Prop::Progress) positions.push_back(Form2->ProgressBar1.position());
    });
    // The run blocks the event loop, so what the user sees is only what each
    // report repaints: the state must be complete by the first one.
    std::vector<std::string> shownAtReport;
    Form2->PleaseWaitMemo.observe([&](forms::Prop p) {
        if (p == forms::Prop::Repaint) shownAtReport.push_back(rows(*Form2));
    });
    Form2->ContinueCreateDisketteButton.click();
    std::vector<int> expected = {20, 133, 246, 336, 426, 516, 606, 696, 786};
    for (int k = 0; k <= 10; ++k) expected.push_back(788 + 128 * k);
    expected.push_back(2384);
    EXPECT_EQ(positions, expected);
    EXPECT_EQ(shownAtReport, std::vector<std::string>(22, Writing));
    EXPECT_EQ(Form2->ProgressBar1.max(), 2384);
}

TEST_F(DialogTest, AFailedRunLeavesItsLastPositionForTheNextRun) {
    kernel.disketteFreeBytes = 300000;  // the copy fails after a few blocks
    Form2->FirstInformationButton.click();
    Form2->ContinueCreateDisketteButton.click();
    ASSERT_EQ(rows(*Form2), WriteError);
    const int left = Form2->ProgressBar1.position();
    EXPECT_EQ(left, 788 + 128 * 3);

    kernel.disketteFreeBytes = 1'071'104;
    kernel.disketteFiles.clear();
    Form1->CreateDiskette2.click();
    Form2->FirstInformationButton.click();
    std::vector<int> seen;
    Form2->PleaseWaitMemo.observe([&](forms::Prop p) {
        if (p == forms::Prop::Repaint) seen.push_back(Form2->ProgressBar1.position());
    });
    Form2->ContinueCreateDisketteButton.click();
    ASSERT_GE(seen.size(), 2u);
    EXPECT_EQ(seen[0], left);  // the boot sector's report carries no position
    EXPECT_EQ(seen[1], 20);
}

TEST_F(DialogTest, NoDisketteGoesStraightToTheErrorWithoutPainting) {
    kernel.disketteInserted = false;
    Form2->FirstInformationButton.click();
    watch();
    Form2->ContinueCreateDisketteButton.click();
    EXPECT_EQ(std::count_if(events.begin(), events.end(), [](const std::string& e) { return e.rfind("paint", 0) == 0; }),
              0);
    EXPECT_EQ(rows(*Form2), WriteError);
    EXPECT_EQ(Form2->WriteErrorMemo.text(), "Disk Write Error!");
}

TEST_F(DialogTest, TextsAndKeyboardOrder) {
    EXPECT_EQ(Form2->InsertDisketteLabel.text(), "Insert blank formatted floppy disk into the drive 'A'.");
    EXPECT_EQ(Form2->DataWillBeDestroyedLabel.text(), "All data on the floppy disk will be destroyed!");
    EXPECT_EQ(Form2->PleaseWaitMemo.text(), "  Please, wait while regenerating diskette\r\n  will be created...");
    EXPECT_EQ(Form2->DisketteCreatedMemo.text().rfind("Bootable Regenerating Diskette has been\r\nsuccessfully created.", 0),
              0u);
    EXPECT_EQ(Form2->CannotBeDirectlyStartedMemo.text().rfind("You create bootable regenerating diskette.", 0), 0u);
    const forms::Control* tabOrder[] = {&Form2->FirstInformationButton, &Form2->ContinueCreateDisketteButton,
                                        &Form2->CancelCreateDisketteButton, &Form2->DisketteCreatedButton,
                                        &Form2->WriteErrorButton,         &Form2->CannotBeDirectlyStartedMemo,
                                        &Form2->PleaseWaitMemo,           &Form2->ProgressBar1,
                                        &Form2->WriteErrorMemo,           &Form2->DisketteCreatedMemo};
    for (int i = 0; i < 10; ++i) EXPECT_EQ(tabOrder[i]->tabOrder, i) << tabOrder[i]->name();
    // Every control of the states fits the 288 x 106 client area; the cause
    // of a failure lies below it, where the dialog grows to hold it.
    for (const forms::Control* c : Form2->controls()) {
        if (c == &Form2->WriteErrorCauseMemo) continue;
        EXPECT_LE(c->left() + c->width(), 288) << c->name();
        EXPECT_LE(c->top() + c->height(), 106) << c->name();
    }
}

TEST_F(DialogTest, EnterPressesTheFocusedButton) {
    Form2->FirstInformationButton.click();
    Form2->keyEnter();  // Cancel has the focus
    EXPECT_FALSE(Form2->visible());
}

// Cancel leaves the focus on a button the next opening hides; the first
// control that can take it, OK, has it instead, so space and Enter work.
TEST_F(DialogTest, ReopenedAfterCancelTheFocusIsOnOk) {
    for (int round = 0; round < 2; ++round) {
        Form2->FirstInformationButton.click();
        Form2->CancelCreateDisketteButton.click();
        Form1->CreateDiskette2.click();
        EXPECT_EQ(Form2->activeControl(), &Form2->FirstInformationButton) << round;
        EXPECT_EQ(backend.view(*Form2)->focus, &Form2->FirstInformationButton) << round;
        Form2->keyEnter();
        EXPECT_TRUE(Form2->CancelCreateDisketteButton.visible()) << "Enter went on to the confirmation";
        Form2->CancelCreateDisketteButton.click();
        Form1->CreateDiskette2.click();
    }
}
