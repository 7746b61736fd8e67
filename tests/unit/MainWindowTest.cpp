// The main window: platform test, layouts, menu commands.
#include <gtest/gtest.h>

#include "tests/fakes/AppFixture.h"

using namespace fakes;
using forms::FormStyle;
using forms::WindowState;

TEST_F(AppFixture, PlatformTestDecidesStartRegenerationOnceOnTheFirstTick) {
    struct Case {
        std::optional<sys::DWORD> platform;  // nullopt: the version call fails
        bool win9x;
    } cases[] = {
        {sys::VER_PLATFORM_WIN32s, false},
        {sys::VER_PLATFORM_WIN32_WINDOWS, true},
        {sys::VER_PLATFORM_WIN32_NT, false},
        {std::nullopt, false},
    };
    for (const Case& c : cases) {
        FakeKernel k;
        k.platformId = c.platform;
        FakeShell sh;
        FakeLocale loc;
        sys::Services s{k, sh, loc};
        TestBackend b;
        forms::Application a(b);
        ResetGlobals();
        DorvaneMain(a, s);
        // Before the first tick every system offers the direct start.
        EXPECT_TRUE(Form1->Start1.visible());
        EXPECT_FALSE(media::DiskettePlatformIsWin9x);

        Form1->Timer1.tick();
        EXPECT_EQ(IsWin9xPlatform, c.win9x);
        EXPECT_EQ(media::DiskettePlatformIsWin9x, c.win9x);
        EXPECT_EQ(Form1->Start1.visible(), c.win9x);
        EXPECT_FALSE(Form1->Timer1.enabled());
        ASSERT_EQ(k.calls.size(), 1u);
        EXPECT_EQ(k.calls[0].op, Op::GetVersionEx);
        EXPECT_EQ(k.calls[0].a, 148);

        // The answer is final: later ticks are not delivered and change nothing.
        k.platformId = sys::VER_PLATFORM_WIN32_WINDOWS;
        Form1->Timer1.tick();
        EXPECT_EQ(k.calls.size(), 1u);
        EXPECT_EQ(Form1->Start1.visible(), c.win9x);
    }
}

TEST_F(AppFixture, MenuItemsKeepTheirCaptionsAndHaveTheirLetters) {
    const struct {
        forms::MenuItem& item;
        const char* caption;
        char letter;
    } rows[] = {
        {Form1->StartRegeneration1, "Regeneration", 'R'},
        {Form1->Start1, "Start Regeneration", 'S'},
        {Form1->CreateDiskette2, "Create Diskette", 'C'},
        {Form1->Feedback1, "Feedback", 'F'},
        {Form1->About1, "About", 'A'},
        {Form1->Exit1, "Exit", 'E'},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(r.item.caption(), r.caption);
        EXPECT_EQ(r.item.letter(), r.letter) << r.caption;
        EXPECT_EQ(r.item.letterIndex(), 0u) << r.caption;
    }
}

TEST_F(AppFixture, HiddenStartRegenerationCannotBeChosen) {
    Form1->Timer1.tick();
    ASSERT_FALSE(Form1->Start1.visible());
    Form1->Start1.click();
    EXPECT_EQ(Form1->height(), TForm1::NormalHeight);
    EXPECT_TRUE(kernel.calls.size() == 1);  // only the version call
    EXPECT_TRUE(Form1->CreateDiskette2.visible());
}

TEST_F(AppFixture, LaunchLayoutAndBackToTheNormalLayout) {
    EXPECT_EQ(Form1->height(), 229);
    EXPECT_EQ(Form1->clientHeight(), 183);
    EXPECT_EQ(Form1->clientWidth(), 409);
    EXPECT_EQ(Form1->Panel1.height(), 161);
    EXPECT_FALSE(Form1->Label2.reachable());  // clipped by the panel

    Form1->HowWorksLabelClick();
    for (int round = 0; round < 2; ++round) {  // a second Start repeats the same settings
        Form1->Start1.click();
        EXPECT_EQ(Form1->height(), 300);
        EXPECT_EQ(Form1->clientHeight(), 254);
        EXPECT_EQ(Form1->Panel1.height(), 232);
        EXPECT_TRUE(Form1->StartRehenerationRichEdit.visible());
        EXPECT_EQ(Form1->formStyle(), FormStyle::StayOnTop);
        EXPECT_TRUE(Form1->HowWorksRichEdit.visible());  // behind the instructions
        EXPECT_TRUE(Form1->Label2.reachable());
    }

    const auto colorsBefore = std::vector{Form1->WelcomeLabel.font().color, Form1->HowWorksLabel.font().color,
                                          Form1->BenefitsLabel.font().color, Form1->NotesLabel.font().color};
    Form1->Label2.click();
    EXPECT_FALSE(Form1->StartRehenerationRichEdit.visible());
    EXPECT_EQ(Form1->height(), 229);
    EXPECT_EQ(Form1->clientHeight(), 183);
    EXPECT_EQ(Form1->Panel1.height(), 161);
    EXPECT_EQ(Form1->windowState(), WindowState::Minimized);
    EXPECT_EQ(Form1->formStyle(), FormStyle::Normal);
    EXPECT_TRUE(Form1->WelcomeRichEdit.visible());
    EXPECT_FALSE(Form1->WelcomeLabel.enabled());
    EXPECT_FALSE(Form1->HowWorksRichEdit.visible());
    const auto colorsAfter = std::vector{Form1->WelcomeLabel.font().color, Form1->HowWorksLabel.font().color,
                                         Form1->BenefitsLabel.font().color, Form1->NotesLabel.font().color};
    EXPECT_EQ(colorsAfter, colorsBefore);
}

TEST_F(AppFixture, TopicRuleOverSequencesOfClicks) {
    struct Topic {
        forms::Label& label;
        forms::RichEdit& box;
    };
    enum { W, H, B, N };
    const std::vector<std::vector<int>> sequences = {
        {B, W}, {H, N, B, W}, {N, N, H, H, W}, {B, H, N, W, B}, {W, W, H}};
    for (const auto& seq : sequences) {
        ResetGlobals();
        TestBackend b;
        forms::Application a(b);
        DorvaneMain(a, services);
        const Topic topics[] = {{Form1->WelcomeLabel, Form1->WelcomeRichEdit},
                                {Form1->HowWorksLabel, Form1->HowWorksRichEdit},
                                {Form1->BenefitsLabel, Form1->BenefitsRichEdit},
                                {Form1->NotesLabel, Form1->NotesRichEdit}};
        std::vector<bool> shownOnce = {true, false, false, false};  // Welcome is red from the start
        int current = W;
        for (int clicked : seq) {
            topics[clicked].label.click();  // a click on the current (disabled) label does nothing
            current = clicked;
            shownOnce[static_cast<std::size_t>(clicked)] = true;
            for (int t = 0; t < 4; ++t) {
                const auto& topic = topics[t];
                EXPECT_EQ(topic.box.visible(), t == current) << topic.box.name();
                EXPECT_EQ(topic.label.enabled(), t != current) << topic.label.name();
                EXPECT_EQ(topic.label.font().color, shownOnce[static_cast<std::size_t>(t)] ? forms::clRed : forms::clBlue)
                    << topic.label.name();
            }
            EXPECT_FALSE(Form1->StartRehenerationRichEdit.visible());
            EXPECT_EQ(Form1->height(), 229);
        }
    }
}

TEST_F(AppFixture, TopicsDoNotTouchTheLaunchLayout) {
    Form1->Start1.click();
    Form1->NotesLabel.click();
    EXPECT_TRUE(Form1->StartRehenerationRichEdit.visible());
    EXPECT_EQ(Form1->height(), 300);
    EXPECT_EQ(Form1->formStyle(), FormStyle::StayOnTop);
    EXPECT_TRUE(Form1->NotesRichEdit.visible());
}

namespace {

std::vector<bool> visibility(TForm2& f) {
    return {f.CancelCreateDisketteButton.visible(), f.CannotBeDirectlyStartedMemo.visible(),
            f.ContinueCreateDisketteButton.visible(), f.DataWillBeDestroyedLabel.visible(),
            f.FirstInformationButton.visible(), f.InsertDisketteLabel.visible(),
            f.PleaseWaitMemo.visible(), f.WriteErrorButton.visible(),
            f.WriteErrorMemo.visible(), f.ProgressBar1.visible(),
            f.DisketteCreatedButton.visible(), f.DisketteCreatedMemo.visible()};
}

const std::vector<bool> InformationState = {false, true, false, false, true, false,
                                            false, false, false, false, false, false};

}  // namespace

TEST_F(AppFixture, CreateDisketteAlwaysOpensInTheInformationState) {
    // Every state the dialog can be left in, then the menu command.
    const std::vector<std::function<void()>> leaveIn = {
        [] {},
        [] { Form2->FirstInformationButton.click(); },
        [] {
            Form2->FirstInformationButton.click();
            Form2->CancelCreateDisketteButton.click();
        },
        [] { Form2->ShowWriteErrorState(); },
        [] {
            Form2->ShowWriteErrorState();
            Form2->closeBox();
        },
        [] {
            Form2->DisketteCreatedButton.setVisible(true);
            Form2->DisketteCreatedMemo.setVisible(true);
            Form2->closeBox();
        },
    };
    for (const auto& leave : leaveIn) {
        Form1->CreateDiskette2.click();
        leave();
        Form1->CreateDiskette2.click();
        EXPECT_TRUE(Form2->visible());
        EXPECT_EQ(visibility(*Form2), InformationState);
    }
}

TEST_F(AppFixture, OpeningFeedbackEmptiesOnlyTheName) {
    FeedbackForm->Edit_YourName.setText("Sam");
    Form1->Feedback1.click();
    EXPECT_TRUE(FeedbackForm->visible());
    EXPECT_EQ(FeedbackForm->Edit_YourName.text(), "");
    // Again while open: emptied again, still open.
    FeedbackForm->Edit_YourName.setText("Sam");
    Form1->Feedback1.click();
    EXPECT_TRUE(FeedbackForm->visible());
    EXPECT_EQ(FeedbackForm->Edit_YourName.text(), "");
}

TEST_F(AppFixture, AboutShowsTheBoxWithoutChangingIt) {
    int notifications = 0;
    About->observe([&](forms::Prop) { ++notifications; });
    Form1->About1.click();
    EXPECT_TRUE(About->visible());
    EXPECT_EQ(notifications, 1);
    Form1->About1.click();  // already open: nothing happens
    EXPECT_EQ(notifications, 1);
}
