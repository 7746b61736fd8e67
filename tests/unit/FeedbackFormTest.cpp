// The feedback form: its layout, opening from the menu, closing, the
// support link, the keyboard and the two rating groups.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "feedback/MailAddresses.h"
#include "tests/fakes/AppFixture.h"

using namespace fakes;

namespace {

using FeedbackWindow = AppFixture;

TEST_F(FeedbackWindow, EveryControlIsReachableAndTheFooterReadsAsOneSentence) {
    Form1->Feedback1.click();
    for (forms::Control* c : FeedbackForm->controls()) EXPECT_TRUE(c->reachable()) << c->name();

    const TFeedbackForm& f = *FeedbackForm;
    EXPECT_EQ(f.Label_ContactUs.left(), f.Label_Note.left());
    EXPECT_GT(f.Label_ContactUs.top(), f.Label_Note.top());
    EXPECT_EQ(f.Label_AnyAsisstance.top(), f.Label_ContactUs.top());
    // Directly after the address at 5 to 7 pixels a character.
    const int chars = static_cast<int>(f.Label_ContactUs.text().size());
    EXPECT_GE(f.Label_AnyAsisstance.left(), f.Label_ContactUs.left() + 5 * chars);
    EXPECT_LE(f.Label_AnyAsisstance.left(), f.Label_ContactUs.left() + 7 * chars);
    for (const forms::Control* c : f.Panel.children())
        EXPECT_LT(c->top() + c->height(), f.Panel.height()) << c->name();
}

TEST_F(FeedbackWindow, OpeningFromTheMenuEmptiesOnlyTheName) {
    for (const bool cancelledFirst : {true, false}) {
        SCOPED_TRACE(cancelledFirst ? "opened after cancel" : "opened while visible");
        Form1->Feedback1.click();
        TFeedbackForm& f = *FeedbackForm;
        f.Edit_YourName.textEdited("Sam", 99);
        f.RadioButton_BadFeatures.click();
        f.RadioButton_GoodProgram.click();
        f.Memo_Comments.textEdited("line 1\r\nline 2", 99);
        f.Edit_YourName.textEdited("", 99);
        f.Button_SendMail.click();  // marks the name red
        f.Edit_YourName.textEdited("Sam", 99);
        if (cancelledFirst) f.Button_Cancel.click();

        Form1->Feedback1.click();
        EXPECT_TRUE(f.visible());
        EXPECT_EQ(f.Edit_YourName.text(), "");
        EXPECT_TRUE(f.RadioButton_BadFeatures.checked());
        EXPECT_TRUE(f.RadioButton_GoodProgram.checked());
        EXPECT_EQ(f.Memo_Comments.text(), "line 1\r\nline 2");
        EXPECT_EQ(f.Label_YourName.font().color, forms::clRed);
        EXPECT_TRUE(shell.requests.empty());
    }
}

TEST_F(FeedbackWindow, CancelEscAndCloseBoxHideWithoutSendingOrClearing) {
    using Close = void (*)(TFeedbackForm&);
    const std::pair<const char*, Close> ways[] = {
        {"Cancel", [](TFeedbackForm& f) { f.Button_Cancel.click(); }},
        {"Esc", [](TFeedbackForm& f) { f.keyEscape(); }},
        {"close box", [](TFeedbackForm& f) { f.closeBox(); }},
    };
    for (const auto& [what, close] : ways) {
        SCOPED_TRACE(what);
        Form1->Feedback1.click();
        FeedbackForm->Edit_YourName.textEdited("Sam", 99);
        FeedbackForm->RadioButton_AverageFeatures.click();
        close(*FeedbackForm);
        EXPECT_FALSE(FeedbackForm->visible());
        EXPECT_EQ(FeedbackForm->Edit_YourName.text(), "Sam");
        EXPECT_TRUE(FeedbackForm->RadioButton_AverageFeatures.checked());
    }
    EXPECT_TRUE(shell.requests.empty());
    EXPECT_FALSE(app.terminated());
}

TEST_F(FeedbackWindow, EnterSendsOnlyFromTheFocusedSendButton) {
    TFeedbackForm& f = *FeedbackForm;
    Form1->Feedback1.click();
    EXPECT_EQ(f.activeControl(), &f.Edit_YourName);
    EXPECT_EQ(f.defaultButton(), nullptr);
    f.Edit_YourName.textEdited("Sam", 99);
    f.RadioButton_GoodFeatures.click();
    f.RadioButton_GoodProgram.click();
    const std::pair<forms::Control*, std::size_t> focus[] = {
        {&f.Edit_YourName, 0}, {&f.Memo_Comments, 0}, {&f.RadioButton_GoodProgram, 0}, {&f.Button_SendMail, 1}};
    for (const auto& [control, sends] : focus) {
        SCOPED_TRACE(control->name());
        shell.requests.clear();
        control->focusMoved(99);
        f.keyEnter();
        EXPECT_EQ(shell.requests.size(), sends);
        EXPECT_TRUE(f.visible());
    }
}

TEST_F(FeedbackWindow, SupportAddressUnderlinesOnHoverAndOpensABlankMail) {
    Form1->Feedback1.click();
    forms::Label& link = FeedbackForm->Label_ContactUs;
    EXPECT_EQ(link.font().style, forms::fsNone);
    EXPECT_EQ(link.cursor(), forms::Cursor::Hand);
    const std::pair<void (forms::Control::*)(), forms::FontStyles> hover[] = {
        {&forms::Control::mouseEnter, forms::fsUnderline},
        {&forms::Control::mouseLeave, forms::fsNone},
        {&forms::Control::mouseEnter, forms::fsUnderline},
        {&forms::Control::mouseLeave, forms::fsNone},
    };
    for (const auto& [event, style] : hover) {
        (link.*event)();
        EXPECT_EQ(link.font().style, style);
        EXPECT_EQ(link.font().color, forms::clBlue);
    }

    shell.answer = 2;  // no mail handler: nothing shows
    link.click();
    ASSERT_EQ(shell.requests.size(), 1u);
    EXPECT_EQ(shell.requests[0], AddressRequest("mailto:" + std::string(feedback::SupportMailAddress)));
    EXPECT_TRUE(backend.messages.empty());
    EXPECT_TRUE(backend.exceptions.empty());
}

TEST_F(FeedbackWindow, RatingGroupsAreExclusiveWithinAndIndependentAcross) {
    TFeedbackForm& f = *FeedbackForm;
    Form1->Feedback1.click();
    const std::vector<forms::RadioButton*> groups[] = {
        {&f.RadioButton_ExcelentFeatures, &f.RadioButton_GoodFeatures, &f.RadioButton_AverageFeatures,
         &f.RadioButton_BadFeatures, &f.RadioButton_VeryBadFeatures},
        {&f.RadioButton_ExcellentProgram, &f.RadioButton_GoodProgram, &f.RadioButton_AverageProgram,
         &f.RadioButton_BadProgram, &f.RadioButton_VeryBadProgram},
    };
    for (std::size_t g = 0; g < 2; ++g) {
        const auto& other = groups[1 - g];
        other[2]->click();
        for (forms::RadioButton* clicked : groups[g]) {
            clicked->click();
            for (forms::RadioButton* b : groups[g]) EXPECT_EQ(b->checked(), b == clicked) << b->name();
            for (forms::RadioButton* b : other) EXPECT_EQ(b->checked(), b == other[2]) << b->name();
        }
    }
}

}  // namespace
