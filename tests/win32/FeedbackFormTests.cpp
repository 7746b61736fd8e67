// The feedback form as native windows: answers typed and chosen through
// window messages reach the mail address, missing answers turn their
// question red, and the form's keyboard, hover and opening behaviour. The
// shell is the fake that records what it was asked to open.
#include <string>

#include "feedback/FeedbackMail.h"
#include "feedback/MailAddresses.h"
#include "tests/win32/RenderedApp.h"

namespace {

using wintest::RenderedApp;

class Feedback : public RenderedApp {
protected:
    TFeedbackForm& f() const { return *FeedbackForm; }

    void open() {
        chooseMenu("Feedback");
        ASSERT_TRUE(pumpUntil([&] { return IsWindowVisible(window(f())) && GetFocus() != nullptr; }));
    }
    // What a user's typing (or pasting) does to the box: its text replaced,
    // the box reporting the change to its parent. (WM_SETTEXT would not: a
    // multi-line edit reports no change for it.)
    void type(const forms::Control& box, const std::string& value) {
        SendMessageA(window(box), EM_SETSEL, 0, -1);
        SendMessageA(window(box), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(value.c_str()));
        settle();
    }
    void choose(const forms::Control& button) {
        SendMessageA(window(button), BM_CLICK, 0, 0);
        settle();
    }
    bool checkedOnScreen(const forms::Control& radio) const {
        return SendMessageA(window(radio), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    bool underlined(const forms::Control& label) const {
        LOGFONTA font{};
        GetObjectA(reinterpret_cast<HFONT>(SendMessageA(window(label), WM_GETFONT, 0, 0)), sizeof font, &font);
        return font.lfUnderline != 0;
    }
};

TEST_F(Feedback, AnswersGivenInTheWindowsMakeTheMailAddress) {
    open();
    // Neither box limits the length of what is typed.
    for (const forms::Control* box : {static_cast<forms::Control*>(&f().Edit_YourName),
                                      static_cast<forms::Control*>(&f().Memo_Comments)})
        EXPECT_GE(SendMessageA(window(*box), EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE) << box->name();
    type(f().Edit_YourName, "Sam Sample");
    choose(f().RadioButton_GoodFeatures);
    choose(f().RadioButton_ExcellentProgram);
    // Each rating group is its own panel's buttons: a choice in one leaves the other's.
    EXPECT_TRUE(checkedOnScreen(f().RadioButton_GoodFeatures) && checkedOnScreen(f().RadioButton_ExcellentProgram));
    type(f().Memo_Comments, "Fast & clear.\r\nSecond line");
    choose(f().Button_SendMail);

    ASSERT_EQ(shell.requests.size(), 1u);
    // Exactly the answers given in the windows, composed as the form does.
    const feedback::FeedbackAnswers answers{"Sam Sample", "GOOD", "EXCELLENT", "Fast & clear.\r\nSecond line"};
    EXPECT_EQ(shell.requests[0],
              fakes::AddressRequest(feedback::ComposeFeedbackAddress(feedback::FeedbackMailAddress, "1.32", answers)));
    // The form stays as it was.
    EXPECT_TRUE(IsWindowVisible(window(f())));
    EXPECT_EQ(text(f().Edit_YourName), "Sam Sample");
}

TEST_F(Feedback, EveryMissingAnswerTurnsItsQuestionRedAtOnce) {
    const COLORREF red = RGB(255, 0, 0), black = RGB(0, 0, 0);
    struct Case {
        const char* what;
        bool name, features, overall;
    };
    const Case cases[] = {
        {"nothing", false, false, false},
        {"only the name", true, false, false},
        {"no overall rating", true, true, false},
    };
    open();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // Every case starts from a blank form: the opening empties the name,
        // and a fresh start-up had no ratings.
        type(f().Edit_YourName, c.name ? "Ann" : "");
        if (c.features) choose(f().RadioButton_BadFeatures);
        if (c.overall) choose(f().RadioButton_VeryBadProgram);
        choose(f().Button_SendMail);
        EXPECT_TRUE(shell.requests.empty());
        EXPECT_EQ(paintedTextColor(f().Label_YourName), c.name ? black : red);
        EXPECT_EQ(paintedTextColor(f().Label_ProgramFeatures), c.features ? black : red);
        EXPECT_EQ(paintedTextColor(f().Label_ProgramRate), c.overall ? black : red);
    }
    choose(f().RadioButton_AverageProgram);
    choose(f().Button_SendMail);
    EXPECT_EQ(shell.requests.size(), 1u);
    EXPECT_EQ(paintedTextColor(f().Label_ProgramRate), black);
}

TEST_F(Feedback, TheKeyboardFollowsTheFormsOrderAndEnterDoesNotSend) {
    open();
    EXPECT_EQ(GetFocus(), window(f().Edit_YourName));
    type(f().Edit_YourName, "Sam");
    pressKey(VK_RETURN);
    EXPECT_TRUE(shell.requests.empty());
    EXPECT_TRUE(IsWindowVisible(window(f())));

    // Tab: the name, the comments, the features group, the overall group,
    // Send Email, Cancel, the support address (a link), and round again.
    const forms::Control* order[] = {&f().Memo_Comments,    &f().RadioButton_ExcelentFeatures,
                                     &f().RadioButton_ExcellentProgram, &f().Button_SendMail,
                                     &f().Button_Cancel,    &f().Label_ContactUs,
                                     &f().Edit_YourName};
    for (const forms::Control* next : order) {
        pressKey(VK_TAB);
        EXPECT_EQ(GetFocus(), window(*next)) << "expected " << next->name();
    }
    // Passing through a rating group answers nothing.
    EXPECT_FALSE(f().RadioButton_ExcelentFeatures.checked());
    EXPECT_FALSE(checkedOnScreen(f().RadioButton_ExcelentFeatures));

    // In the comments Enter is a new line, not a press.
    pressKey(VK_TAB);
    ASSERT_EQ(GetFocus(), window(f().Memo_Comments));
    type(f().Memo_Comments, "a");
    SendMessageA(window(f().Memo_Comments), EM_SETSEL, 1, 1);
    PostMessageA(window(f().Memo_Comments), WM_KEYDOWN, VK_RETURN, 0);
    PostMessageA(window(f().Memo_Comments), WM_KEYUP, VK_RETURN, 0);
    settle();
    EXPECT_EQ(f().Memo_Comments.text(), "a\r\n");
    EXPECT_TRUE(shell.requests.empty());

    // An arrow key moves within a rating group and checks the button.
    pressKey(VK_TAB);
    ASSERT_EQ(GetFocus(), window(f().RadioButton_ExcelentFeatures));
    pressKey(VK_DOWN);
    EXPECT_EQ(GetFocus(), window(f().RadioButton_GoodFeatures));
    EXPECT_TRUE(f().RadioButton_GoodFeatures.checked());
    EXPECT_TRUE(checkedOnScreen(f().RadioButton_GoodFeatures));
    EXPECT_FALSE(checkedOnScreen(f().RadioButton_ExcelentFeatures));
    // Tabbing round the seven stops back into the group lands on its
    // checked button.
    for (int i = 0; i < 7; ++i) pressKey(VK_TAB);
    EXPECT_EQ(GetFocus(), window(f().RadioButton_GoodFeatures));

    // Esc is Cancel.
    pressKey(VK_ESCAPE);
    EXPECT_TRUE(pumpUntil([&] { return !f().visible(); }));
}

TEST_F(Feedback, TheSupportAddressUnderlinesUnderTheMouseAndOpensABlankMail) {
    open();
    const forms::Label& link = f().Label_ContactUs;
    EXPECT_FALSE(underlined(link));
    PostMessageA(window(link), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    settle();
    EXPECT_TRUE(underlined(link));
    PostMessageA(window(link), WM_MOUSELEAVE, 0, 0);
    settle();
    EXPECT_FALSE(underlined(link));

    click(link);
    ASSERT_EQ(shell.requests.size(), 1u);
    EXPECT_EQ(shell.requests[0].file, "mailto:" + std::string(feedback::SupportMailAddress));
    EXPECT_TRUE(IsWindowVisible(window(f())));

    // The follower label starts where the address ends.
    RECT address{}, follower{};
    GetWindowRect(window(link), &address);
    GetWindowRect(window(f().Label_AnyAsisstance), &follower);
    EXPECT_EQ(follower.left, address.right);
    EXPECT_EQ(follower.top, address.top);
}

}  // namespace
