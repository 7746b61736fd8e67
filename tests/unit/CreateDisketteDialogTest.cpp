// The Create Diskette dialog: its states, the order of each transition, the
// focus moves and what the progress bar shows.
#include <gtest/gtest.h>

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
}

// Input that waited while the run held the loop is dropped once the run is
// over and before the result state takes the focus, whichever way the run
// ends; no other handler discards input.
TEST_F(DialogTest, InputWaitingFromTheRunIsDroppedBeforeTheResultTakesTheFocus) {
    for (bool inserted : {true, false}) {
        SCOPED_TRACE(inserted ? "created" : "write error");
        kernel.disketteInserted = inserted;
        Form1->CreateDiskette2.click();
        Form2->FirstInformationButton.click();
        ASSERT_EQ(backend.inputDiscards, 0);
        std::string stateAtDiscard;
        int handlesAtDiscard = -1;
        const forms::Control* focusAtDiscard = nullptr;
        backend.onDiscardInput = [&] {
            stateAtDiscard = rows(*Form2);
            handlesAtDiscard = kernel.openHandles();
            focusAtDiscard = Form2->activeControl();
        };
        Form2->ContinueCreateDisketteButton.click();
        EXPECT_EQ(backend.inputDiscards, 1);
        EXPECT_EQ(stateAtDiscard, "000000100100");  // still the writing state
        EXPECT_EQ(handlesAtDiscard, 0);             // the run is over
        EXPECT_NE(focusAtDiscard, &Form2->DisketteCreatedButton);
        EXPECT_NE(focusAtDiscard, &Form2->WriteErrorButton);
        EXPECT_EQ(Form2->activeControl(), inserted ? &Form2->DisketteCreatedButton : &Form2->WriteErrorButton);

        (inserted ? Form2->DisketteCreatedButton : Form2->WriteErrorButton).click();
        EXPECT_EQ(backend.inputDiscards, 1);
        backend.inputDiscards = 0;
        backend.onDiscardInput = nullptr;
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
    // Every control fits the 288 x 106 client area.
    for (const forms::Control* c : Form2->controls()) {
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
