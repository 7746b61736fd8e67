// Start-up: the forms, their order, and exceptions at start-up and in handlers.
#include <gtest/gtest.h>

#include "tests/fakes/AppFixture.h"

using namespace fakes;

TEST_F(AppFixture, CreatesTheFourFormsInOrderWithTheMainWindowFirst) {
    ASSERT_EQ(app.forms().size(), 4u);
    EXPECT_EQ(app.forms()[0].get(), Form1);
    EXPECT_EQ(app.forms()[1].get(), Form2);
    EXPECT_EQ(app.forms()[2].get(), About);
    EXPECT_EQ(app.forms()[3].get(), FeedbackForm);
    EXPECT_EQ(app.mainForm(), Form1);
    // Only the shown form has its windows; the others get theirs when first
    // shown, in the order they are shown.
    EXPECT_EQ(backend.created, std::vector<forms::Form*>{Form1});
    EXPECT_TRUE(backend.ran);
    EXPECT_TRUE(Form1->visible());
    EXPECT_FALSE(Form2->visible());
    EXPECT_FALSE(About->visible());
    EXPECT_FALSE(FeedbackForm->visible());
    // The platform test waits for the loop's first tick.
    EXPECT_TRUE(Form1->Timer1.enabled());
    EXPECT_EQ(Form1->Timer1.interval(), 100);
    EXPECT_TRUE(kernel.calls.empty());

    About->setVisible(true);
    Form2->setVisible(true);
    About->setVisible(false);
    About->setVisible(true);
    EXPECT_EQ(backend.created, (std::vector<forms::Form*>{Form1, About, Form2}));
}

namespace {

class ThrowingBackend : public TestBackend {
public:
    bool throwFramework = true;
    void eventLoop(forms::Form&) override {
        if (throwFramework) throw forms::Exception("loop failed");
        throw 42;
    }
};

}  // namespace

TEST(Startup, ExceptionEscapingStartUpIsShownAndZeroReturned) {
    struct Case {
        bool framework;
        std::string shown;
    } cases[] = {{true, "loop failed"}, {false, ""}};
    for (const Case& c : cases) {
        FakeKernel kernel;
        FakeShell shell;
        FakeLocale locale;
        sys::Services services{kernel, shell, locale};
        ThrowingBackend backend;
        backend.throwFramework = c.framework;
        forms::Application app(backend);
        EXPECT_EQ(DorvaneMain(app, services), 0);
        ASSERT_EQ(backend.exceptions.size(), 1u);
        EXPECT_EQ(backend.exceptions[0], c.shown);
    }
    AppFixture::ResetGlobals();
}

TEST_F(AppFixture, ExceptionInAHandlerIsShownAndTheNextEventStillRuns) {
    int runs = 0;
    Form1->WelcomeLabel.onClick = [&] {
        ++runs;
        throw std::runtime_error("not the framework's");
    };
    Form1->HowWorksLabel.onClick = [&] { throw forms::Exception("visible message"); };
    Form1->BenefitsLabelClick();  // Welcome becomes clickable
    Form1->WelcomeLabel.click();
    Form1->HowWorksLabel.click();
    Form1->NotesLabel.click();
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(backend.exceptions, (std::vector<std::string>{"", "visible message"}));
    EXPECT_TRUE(Form1->NotesRichEdit.visible());
}

TEST_F(AppFixture, ExitEndsTheProgramEvenWithOtherFormsOpen) {
    Form1->About1.click();
    Form1->Feedback1.click();
    Form1->Exit1.click();
    EXPECT_TRUE(app.terminated());
    EXPECT_TRUE(backend.terminated());
}

TEST_F(AppFixture, CloseBoxOnlyHidesSecondaryFormsButEndsTheProgramOnTheMainWindow) {
    forms::Form* secondary[] = {Form2, About, FeedbackForm};
    for (forms::Form* f : secondary) {
        f->setVisible(true);
        f->closeBox();
        EXPECT_FALSE(f->visible()) << f->name();
        EXPECT_FALSE(app.terminated()) << f->name();
    }
    Form1->closeBox();
    EXPECT_TRUE(app.terminated());
}
