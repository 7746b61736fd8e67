// "Send Email": the three checks and their label colours, and the exact
// mailto: address that reaches the shell (or that nothing does).
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "feedback/MailAddresses.h"
#include "tests/fakes/AppFixture.h"

using namespace fakes;

namespace {

constexpr int None = -1;

struct Answers {
    std::string name;
    int features = None;  // index of the checked button, best first
    int overall = None;
    std::string comments;
};

struct Press {
    Answers answers;
    std::optional<std::string> sent;  // the whole address, or nothing sent
    bool nameRed, featuresRed, overallRed;
    char separator = '.';
};

// The expected address from hand-encoded pieces.
std::string Mail(const std::string& name, const std::string& features, const std::string& overall,
                 std::optional<std::string> comments = std::nullopt, const std::string& version = "1.32") {
    std::string a = "mailto:" + std::string(feedback::FeedbackMailAddress) + "?Subject=Dorvane%20v" + version +
                    "%20from%20" + name + "&Body=" + name + "%20has%20rated%20the%20program%20features%20as%20" +
                    features + ".%20%20%20The%20overall%20program%20rating%20is%20" + overall;
    if (comments) a += ".%20%20%20Comments:%20" + *comments;
    return a;
}

class FeedbackSend : public AppFixture {
protected:
    std::vector<forms::RadioButton*> group(bool features) {
        TFeedbackForm& f = *FeedbackForm;
        if (features)
            return {&f.RadioButton_ExcelentFeatures, &f.RadioButton_GoodFeatures, &f.RadioButton_AverageFeatures,
                    &f.RadioButton_BadFeatures, &f.RadioButton_VeryBadFeatures};
        return {&f.RadioButton_ExcellentProgram, &f.RadioButton_GoodProgram, &f.RadioButton_AverageProgram,
                &f.RadioButton_BadProgram, &f.RadioButton_VeryBadProgram};
    }
    void rate(bool features, int index) {
        for (forms::RadioButton* b : group(features)) b->setChecked(false);
        if (index != None) group(features)[static_cast<std::size_t>(index)]->click();
    }
    void fill(const Answers& a) {
        FeedbackForm->Edit_YourName.textEdited(a.name, 99);
        rate(true, a.features);
        rate(false, a.overall);
        FeedbackForm->Memo_Comments.textEdited(a.comments, 99);
    }
    int checked(bool features) {
        const auto g = group(features);
        for (std::size_t i = 0; i < g.size(); ++i)
            if (g[i]->checked()) return static_cast<int>(i);
        return None;
    }
};

TEST_F(FeedbackSend, PressScenarios) {
    const std::string lines = "x=1&y=2\r\nline #2\nthird\rend";
    struct Scenario {
        const char* what;
        std::vector<Press> presses;
    } scenarios[] = {
        {"complete, no comments", {{{"Sam Sample", 1, 0, ""}, Mail("Sam%20Sample", "GOOD", "EXCELLENT"), 0, 0, 0}}},
        {"name empty", {{{"", 1, 0, "hello"}, std::nullopt, 1, 0, 0}}},
        {"nothing filled", {{{"", None, None, ""}, std::nullopt, 1, 1, 1}}},
        {"only the features rating missing", {{{"Sam", None, 0, "ok"}, std::nullopt, 0, 1, 0}}},
        {"only the overall rating missing", {{{"Sam", 0, None, "ok"}, std::nullopt, 0, 0, 1}}},
        {"missing, then given",
         {{{"Sam", None, None, ""}, std::nullopt, 0, 1, 1}, {{"Sam", 2, 3, ""}, Mail("Sam", "AVERAGE", "BAD"), 0, 0, 0}}},
        {"blank name", {{{"   ", 0, 0, ""}, Mail("%20%20%20", "EXCELLENT", "EXCELLENT"), 0, 0, 0}}},
        {"comments only a line break", {{{"Sam", 0, 0, "\r\n"}, Mail("Sam", "EXCELLENT", "EXCELLENT", "%0D%0A"), 0, 0, 0}}},
        {"comments only a lone LF", {{{"Sam", 0, 0, "\n"}, Mail("Sam", "EXCELLENT", "EXCELLENT", "%0D%0A"), 0, 0, 0}}},
        {"comments only blanks", {{{"Sam", 0, 0, "  "}, Mail("Sam", "EXCELLENT", "EXCELLENT", "%20%20"), 0, 0, 0}}},
        {"reserved characters and several lines",
         {{{"A&B?C%D#E=F+G", 4, 1, lines},
           Mail("A%26B%3FC%25D%23E%3DF%2BG", "VERY%20BAD", "GOOD",
                "x%3D1%26y%3D2%0D%0Aline%20%232%0D%0Athird%0D%0Aend"),
           0, 0, 0}}},
        {"bad and very bad", {{{"Sam", 3, 4, ""}, Mail("Sam", "BAD", "VERY%20BAD"), 0, 0, 0},
                              {{"Sam", 4, 3, ""}, Mail("Sam", "VERY%20BAD", "BAD"), 0, 0, 0}}},
        {"twice", {{{"Sam", 0, 1, "ok"}, Mail("Sam", "EXCELLENT", "GOOD", "ok"), 0, 0, 0},
                   {{"Sam", 0, 1, "ok"}, Mail("Sam", "EXCELLENT", "GOOD", "ok"), 0, 0, 0}}},
        {"comma locale", {{{"Sam", 0, 0, ""}, Mail("Sam", "EXCELLENT", "EXCELLENT", std::nullopt, "1,32"), 0, 0, 0, ','}}},
    };
    for (const Scenario& s : scenarios) {
        SCOPED_TRACE(s.what);
        Form1->Feedback1.click();
        shell.requests.clear();
        for (const Press& p : s.presses) {
            locale.separator = p.separator;
            fill(p.answers);
            FeedbackForm->Button_SendMail.click();

            if (p.sent) {
                ASSERT_EQ(shell.requests.size(), 1u);
                EXPECT_EQ(shell.requests.back(), AddressRequest(*p.sent));
            } else {
                EXPECT_TRUE(shell.requests.empty());
            }
            shell.requests.clear();
            // A missing answer is marked in red and told to a screen reader by
            // its field (a rating group and each of its buttons).
            const struct {
                forms::Label* question;
                forms::Control* field;
                bool red;
            } marks[] = {{&FeedbackForm->Label_YourName, &FeedbackForm->Edit_YourName, p.nameRed},
                         {&FeedbackForm->Label_ProgramFeatures, &FeedbackForm->Panel_ProgramFeatures, p.featuresRed},
                         {&FeedbackForm->Label_ProgramRate, &FeedbackForm->Panel_ProgramRate, p.overallRed}};
            for (const auto& m : marks) {
                EXPECT_EQ(m.question->font().color, m.red ? forms::clRed : forms::clBlack) << m.question->name();
                EXPECT_EQ(m.field->labelledBy, m.question);
                EXPECT_EQ(m.field->missingNote().empty(), !m.red) << m.field->name();
                for (const forms::Control* c : m.field->children())
                    EXPECT_EQ(c->missingNote(), m.field->missingNote()) << c->name();
            }
            EXPECT_EQ(FeedbackForm->Label_Comments.font().color, forms::clWindowText);  // comments are optional
            // The form stays as the user left it.
            EXPECT_TRUE(FeedbackForm->visible());
            EXPECT_EQ(FeedbackForm->Edit_YourName.text(), p.answers.name);
            EXPECT_EQ(FeedbackForm->Memo_Comments.text(), p.answers.comments);
            EXPECT_EQ(checked(true), p.answers.features);
            EXPECT_EQ(checked(false), p.answers.overall);
        }
        FeedbackForm->Button_Cancel.click();
    }
}

// A shell answer of 32 or less means no mail program could be started, and a
// handler that started and then failed means the same: the user is told
// where to write, and the form keeps every answer. Otherwise the send is
// silent, and so are the links when their handlers fail.
TEST_F(FeedbackSend, AMailProgramThatCannotStartIsReported) {
    const struct {
        std::intptr_t answer;
        bool failsLater;
        bool reported;
    } cases[] = {{0, false, true},   {2, false, true},  {31, false, true}, {32, false, true},
                 {33, false, false}, {42, false, false}, {42, true, true}};
    const Answers answers{"Sam", 1, 2, "Fast and clear."};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.answer << (c.failsLater ? ", fails later" : ""));
        backend.messages.clear();
        backend.messageOwners.clear();
        shell.requests.clear();
        shell.answer = c.answer;
        Form1->Feedback1.click();
        fill(answers);
        FeedbackForm->Button_SendMail.click();
        ASSERT_EQ(shell.requests.size(), 1u);
        if (c.failsLater) shell.handlerFails(shell.requests[0].file);

        if (c.reported) {
            ASSERT_EQ(backend.messages.size(), 1u);
            EXPECT_NE(backend.messages[0].find("mail program could not be started"), std::string::npos);
            EXPECT_NE(backend.messages[0].find(std::string(feedback::FeedbackMailAddress)), std::string::npos);
            EXPECT_EQ(backend.messageOwners[0], FeedbackForm) << "the form is active again after the box";
        } else {
            EXPECT_TRUE(backend.messages.empty());
        }
        EXPECT_TRUE(FeedbackForm->visible());
        EXPECT_EQ(FeedbackForm->Edit_YourName.text(), answers.name);
        EXPECT_EQ(FeedbackForm->Memo_Comments.text(), answers.comments);
        EXPECT_EQ(checked(true), answers.features);
        EXPECT_EQ(checked(false), answers.overall);
    }

    backend.messages.clear();
    shell.requests.clear();
    shell.answer = 42;
    FeedbackForm->Label_ContactUsClick();
    About->Label4Click();
    ASSERT_EQ(shell.requests.size(), 2u);
    for (const auto& request : shell.requests) shell.handlerFails(request.file);
    EXPECT_TRUE(backend.messages.empty()) << "a link's handler failed";

    // A failure that comes while a run holds the loop is told after it.
    FeedbackForm->Button_SendMail.click();
    {
        const forms::Application::Hold hold(app);
        shell.handlerFails(shell.requests.back().file);
        EXPECT_TRUE(backend.messages.empty());
    }
    EXPECT_EQ(backend.messages.size(), 1u);
}

}  // namespace
