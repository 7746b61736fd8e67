// The behaviour rules the control model holds for every renderer: no echo to
// the view a change came from, progress clamping, which clicks reach a
// handler, the focus fallback, where a form appears and the message-box
// title, and the silence while the views are taken down.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "platform/forms/Application.h"
#include "platform/forms/Contrast.h"
#include "platform/forms/KeyboardOrder.h"
#include "tests/contract/KindForm.h"
#include "tests/fakes/AppFixture.h"
#include "tests/fakes/TestBackend.h"

using namespace forms;

namespace {

// The contract's sample form with every control inside its panel, so that
// the panel's rules reach each kind.
using contract::KindForm;

KindForm* makeBoard(Application& app) {
    return app.CreateForm<KindForm>("Board", BorderStyle::Single, KindForm::Nesting::AllInPanel);
}

class ModelRules : public ::testing::Test {
protected:
    fakes::TestBackend backend;
    Application app{backend};
    KindForm* board = nullptr;

    void SetUp() override {
        board = makeBoard(app);
        board->setVisible(true);
    }
};

TEST_F(ModelRules, AChangeFromAViewIsNotEchoedBackToIt) {
    struct Row {
        const char* what;
        Control* control;
        Prop prop;
        std::function<void(ObserverId)> fromView;
    };
    const Row rows[] = {
        {"typing", &board->edit, Prop::Text, [&](ObserverId id) { board->edit.textEdited("typed", id); }},
        {"checking", &board->radio, Prop::Checked, [&](ObserverId id) { board->radio.checkedByUser(id); }},
        {"focus", board, Prop::Focus, [&](ObserverId id) { board->memo.focusMoved(id); }},
        {"minimizing", board, Prop::WindowState,
         [&](ObserverId id) { board->setWindowState(WindowState::Minimized, id); }},
        {"hiding", &board->label, Prop::Visible, [&](ObserverId id) { board->label.setVisible(false, id); }},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        int toSource = 0, toOther = 0;
        const ObserverId source = r.control->observe([&](Prop p) { toSource += p == r.prop; });
        const ObserverId other = r.control->observe([&](Prop p) { toOther += p == r.prop; });
        r.fromView(source);
        EXPECT_EQ(toSource, 0);
        EXPECT_EQ(toOther, 1);
        // The same again changes nothing and tells nobody.
        r.fromView(source);
        EXPECT_EQ(toOther, 1);
        r.control->unobserve(source);
        r.control->unobserve(other);
    }
}

TEST_F(ModelRules, AProgressPositionOutsideTheRangeIsClamped) {
    const struct {
        int min, max, position, shown;
    } rows[] = {
        {0, 2384, 2500, 2384}, {0, 2384, -1, 0}, {0, 2384, 2384, 2384}, {10, 20, 5, 10}, {10, 20, 15, 15},
    };
    ProgressBar& bar = board->bar;
    for (const auto& r : rows) {
        bar.setRange(r.min, r.max);
        bar.setPosition(r.position);
        EXPECT_EQ(bar.position(), r.shown) << r.min << ".." << r.max << " at " << r.position;
        EXPECT_EQ(backend.view(bar)->shown.position, r.shown);
    }
    // A narrower range pulls the position in with it.
    bar.setRange(0, 100);
    bar.setPosition(90);
    bar.setRange(0, 50);
    EXPECT_EQ(bar.position(), 50);
    EXPECT_EQ(backend.view(bar)->shown.position, 50);
}

TEST_F(ModelRules, AClickReachesItsHandlerOnlyWhenTheControlIsReachable) {
    const struct {
        const char* what;
        std::function<void(Control&)> spoil;
    } ways[] = {
        {"reachable", [](Control&) {}},
        {"disabled", [](Control& c) { c.setEnabled(false); }},
        {"hidden", [](Control& c) { c.setVisible(false); }},
        {"in a disabled panel", [&](Control&) { board->panel.setEnabled(false); }},
        {"in a hidden panel", [&](Control&) { board->panel.setVisible(false); }},
        {"clipped by its panel", [](Control& c) { c.setBounds(400, 0, 10, 10); }},
        {"on a hidden form", [&](Control&) { board->setVisible(false); }},
    };
    for (Control* c : board->panel.children()) {
        for (const auto& way : ways) {
            SCOPED_TRACE(c->name() + " " + way.what);
            const Rect was = c->bounds();
            int clicks = 0;
            c->onClick = [&] { ++clicks; };
            way.spoil(*c);
            const bool reachable = std::string(way.what) == "reachable";
            EXPECT_EQ(c->takesClick(), reachable);
            c->click();
            EXPECT_EQ(clicks, reachable ? 1 : 0);
            c->setEnabled(true);
            c->setVisible(true);
            c->setBounds(was.left, was.top, was.width, was.height);
            board->panel.setEnabled(true);
            board->panel.setVisible(true);
            board->setVisible(true);
        }
        c->onClick = nullptr;
        EXPECT_FALSE(c->takesClick()) << c->name() << ": no handler, no click";
    }
}

TEST_F(ModelRules, TheFocusFallsBackToTheFirstControlInKeyboardOrderThatCanTakeIt) {
    board->ok.tabOrder = 0;
    board->edit.tabOrder = 1;
    board->cancel.tabOrder = 2;
    board->FocusControl(board->memo);
    const struct {
        const char* what;
        std::function<void()> act;
        Control* focus;
    } steps[] = {
        {"hiding the focused memo", [&] { board->memo.setVisible(false); }, &board->ok},
        {"disabling the focused button", [&] { board->ok.setEnabled(false); }, &board->edit},
        {"hiding the panel", [&] { board->panel.setVisible(false); }, &board->edit},  // nothing else can
        {"the form hidden keeps its focus", [&] { board->setVisible(false); }, &board->edit},
        {"shown again, the first that can", [&] {
             board->panel.setVisible(true);
             board->setVisible(true);
         }, &board->edit},
    };
    for (const auto& s : steps) {
        s.act();
        EXPECT_EQ(board->activeControl(), s.focus) << s.what;
        if (board->visible()) {
            EXPECT_EQ(backend.view(*board)->focus, s.focus) << s.what;
        }
    }
}

TEST_F(ModelRules, LabelsThatSizeThemselvesOrFollowAnotherArePlacedByTheModel) {
    Label& lead = board->label;
    Label& next = board->make<Label>("next", &board->panel);
    next.follows = &lead;
    next.setBounds(0, 40, 0, 13);
    lead.setText("abcd");
    // Four characters of six pixels in the test backend's measure.
    EXPECT_EQ(backend.view(lead)->shown.bounds, (Rect{4, 4, 24, 13}));
    EXPECT_EQ(next.placement(&fakes::TestBackend::measure).left, 4 + 24);
    // A view of the follower is told when its leader's caption changes.
    int told = 0;
    next.observe([&](Prop p) { told += p == Prop::Bounds; });
    lead.setText("abcdef");
    EXPECT_EQ(told, 1);
    EXPECT_EQ(next.placement(&fakes::TestBackend::measure).left, 4 + 36);
}

TEST_F(ModelRules, AControlDockedToTheBottomFollowsItsParentsSize) {
    StatusBar& status = board->make<StatusBar>("docked");
    status.dockedBottom = true;
    status.setBounds(0, 221, 320, 19);
    board->setHeight(board->height() + 40);
    EXPECT_EQ(status.bounds(), (Rect{0, 261, 320, 19}));
    board->setClientSize(300, 100);
    EXPECT_EQ(status.bounds(), (Rect{0, 81, 300, 19}));
}

TEST_F(ModelRules, AMenuItemsLetterStandsWhereTheCaptionFirstHasIt) {
    MainMenu& menu = board->makeMenu("menu");
    const struct {
        const char* caption;
        char letter;
        std::size_t index;
        const char* marked;
    } rows[] = {
        {"Regeneration", 'R', 0, "&Regeneration"},
        {"Exit", 'x', 1, "E&xit"},
        {"Start Regeneration", 'r', 3, "Sta&rt Regeneration"},  // either case, first occurrence
        {"Fish & Chips", 'c', 7, "Fish && &Chips"},             // an ampersand of its own is no mark
        {"About", 0, std::string::npos, "About"},               // no letter
        {"About", 'z', std::string::npos, "About"},             // a letter the caption lacks marks nothing
    };
    for (const auto& r : rows) {
        MenuItem& item = menu.add("item", r.caption, r.letter);
        EXPECT_EQ(item.caption(), r.caption) << "the caption stays as written";
        EXPECT_EQ(item.letterIndex(), r.index) << r.caption << " / " << r.letter;
        EXPECT_EQ(item.markedCaption(), r.marked);
    }
}

TEST_F(ModelRules, TheExceptionBoxIsTitledByTheMainFormOrTheProgram) {
    app.dispatch([] { throw Exception("boom"); });
    board->setText("");
    app.dispatch([] { throw 1; });
    EXPECT_EQ(backend.exceptions, (std::vector<std::string>{"boom", ""}));
    EXPECT_EQ(backend.exceptionTitles, (std::vector<std::string>{"Board", app.programName}));
}

// While a handler holds the loop the close box closes nothing, and what is
// put off runs once, in order, when the outermost hold ends; outside a hold
// it runs at once.
TEST_F(ModelRules, AHoldRefusesTheCloseBoxAndRunsWhatWaitedWhenItEnds) {
    std::vector<std::string> ran;
    app.AfterHold([&] { ran.push_back("free"); });
    EXPECT_EQ(ran, (std::vector<std::string>{"free"}));
    {
        const Application::Hold outer(app);
        {
            const Application::Hold inner(app);
            board->closeBox();
            app.AfterHold([&] { ran.push_back("first"); });
        }
        EXPECT_TRUE(app.holding());
        app.AfterHold([&] { ran.push_back("second"); });
        board->closeBox();
        EXPECT_EQ(ran.size(), 1u);
    }
    EXPECT_FALSE(app.holding());
    EXPECT_FALSE(backend.terminated());
    EXPECT_EQ(ran, (std::vector<std::string>{"free", "first", "second"}));
    board->closeBox();  // the main form: now it ends the program
    EXPECT_TRUE(backend.terminated());
}

// A renderer whose widgets still report events while it takes them down.
class NoisyBackend : public fakes::TestBackend {
public:
    std::function<void()> whileClosing;
    void viewsGone() override {
        if (whileClosing) whileClosing();
        TestBackend::viewsGone();
    }
};

TEST(ModelTeardown, WhatViewsReportWhileTheyAreTakenDownRunsNoHandler) {
    NoisyBackend backend;
    int handled = 0;
    {
        Application app(backend);
        KindForm* board = makeBoard(app);
        board->setVisible(true);
        board->ok.onClick = [&] { ++handled; };
        board->edit.onChange = [&] { ++handled; };
        backend.whileClosing = [board] {
            board->ok.click();
            board->edit.textEdited("late", 1);
            board->closeBox();
            board->keyEnter();
        };
    }
    EXPECT_EQ(handled, 0);
    EXPECT_FALSE(backend.terminated()) << "the close box reached the model";
}

// Where each of the shell's forms appears each time it is shown.
using ShellForms = fakes::AppFixture;

TEST_F(ShellForms, AreCentredOnFirstShowOrEachShowAndActivated) {
    const struct {
        forms::Form* form;
        std::function<void()> open;
        bool centredAgain;
    } rows[] = {
        {About, [] { Form1->About1.click(); }, false},
        {Form2, [] { Form1->CreateDiskette2.click(); }, true},
        {FeedbackForm, [] { Form1->Feedback1.click(); }, true},
    };
    EXPECT_TRUE(backend.view(*Form1)->centred);
    for (const auto& r : rows) {
        SCOPED_TRACE(r.form->name());
        EXPECT_EQ(backend.view(*r.form), nullptr) << "no view before the first show";
        r.open();
        const fakes::RecordingView& view = *backend.view(*r.form);
        EXPECT_TRUE(view.centred);
        EXPECT_EQ(view.activations, 1);
        EXPECT_NE(view.focus, nullptr);
        r.open();  // already visible: neither raised nor moved
        EXPECT_EQ(view.activations, 1);
        r.form->setVisible(false);
        r.open();
        EXPECT_EQ(view.centred, r.centredAgain);
        EXPECT_EQ(view.activations, 2);
        EXPECT_EQ(view.focus, r.form->activeControl());
    }
}

}  // namespace

// Tab treats each rating group as one stop: its checked button, else its
// first one; Tab from any button of a group leaves the group; the arrow keys
// move within the group and wrap around.
// Once the main window stays on top (the launch layout), a form opened from
// its menu stays on top too, so that it comes up above it, not hidden behind
// it; before, only the feedback form, a stay-on-top form itself, does.
TEST_F(ShellForms, AFormOpenedOverTheLaunchLayoutComesUpAboveIt) {
    const std::pair<forms::Form*, forms::MenuItem*> opened[] = {
        {About, &Form1->About1}, {Form2, &Form1->CreateDiskette2}, {FeedbackForm, &Form1->Feedback1}};
    for (bool launched : {false, true}) {
        if (launched) Form1->Start1Click();
        for (const auto& [form, item] : opened) {
            SCOPED_TRACE(form->name() + (launched ? " over the launch layout" : ""));
            item->click();
            ASSERT_TRUE(form->visible());
            EXPECT_EQ(form->frame().stayOnTop, launched || form == FeedbackForm);
            form->setVisible(false);
        }
    }
}

// Every label that acts as a link is a keyboard stop after the form's own
// stops; Enter and Space click it. A topic that disables itself hands the
// focus to the next topic, as the handler leaves them; the topics under the
// launch instructions are no stops, and the minimise link is one only there.
TEST_F(ShellForms, EveryLinkIsAKeyboardStopThatEnterAndSpaceClick) {
    TForm1& m = *Form1;
    const auto stops = [](const Form& f) { return tabStops(f); };
    using Stops = std::vector<Control*>;
    EXPECT_EQ(stops(m), (Stops{&m.HowWorksLabel, &m.BenefitsLabel, &m.NotesLabel}));
    EXPECT_EQ(m.activeControl(), &m.HowWorksLabel) << "the main window opens with a stop";
    EXPECT_FALSE(m.Label2.shown()) << "below the panel outside the launch layout";
    const struct {
        const char* what;
        std::function<void()> key;
        RichEdit* topic;
        Control* focus;
    } steps[] = {
        {"Tab", [&] { m.keyTab(m.activeControl(), false); }, &m.WelcomeRichEdit, &m.BenefitsLabel},
        {"Enter", [&] { EXPECT_TRUE(m.keyEnter(m.activeControl())); }, &m.BenefitsRichEdit, &m.NotesLabel},
        {"Space, the last topic", [&] { EXPECT_TRUE(m.keySpace(m.activeControl())); }, &m.NotesRichEdit,
         &m.WelcomeLabel},
        {"Shift+Tab", [&] { m.keyTab(m.activeControl(), true); }, &m.NotesRichEdit, &m.BenefitsLabel},
    };
    for (const auto& s : steps) {
        s.key();
        EXPECT_TRUE(s.topic->visible()) << s.what;
        EXPECT_EQ(m.activeControl(), s.focus) << s.what;
    }
    m.Start1Click();
    EXPECT_EQ(stops(m), Stops{&m.Label2}) << "the launch instructions cover the topics";
    EXPECT_TRUE(m.Label2.shown());
    EXPECT_EQ(m.activeControl(), &m.Label2);
    EXPECT_TRUE(m.keyEnter(&m.Label2));
    EXPECT_EQ(m.windowState(), WindowState::Minimized);
    EXPECT_FALSE(m.keySpace(nullptr));

    m.About1.click();
    EXPECT_EQ(stops(*About), (Stops{&About->BitBtn1, &About->Label4}));
    About->keyTab(&About->BitBtn1, false);
    for (bool enter : {true, false}) EXPECT_TRUE(enter ? About->keyEnter(&About->Label4) : About->keySpace(&About->Label4));
    EXPECT_EQ(shell.requests.size(), 2u) << "the web site, once per key";
    EXPECT_TRUE(About->visible());
    About->keyEscape();
    EXPECT_FALSE(About->visible()) << "Esc presses OK";

    m.Feedback1.click();
    TFeedbackForm& f = *FeedbackForm;
    EXPECT_EQ(stops(f).back(), &f.Label_ContactUs) << "after Cancel";
    EXPECT_FALSE(f.keySpace(&f.Button_SendMail)) << "a button's own widget takes Space";
    EXPECT_TRUE(f.keySpace(&f.Label_ContactUs));
    EXPECT_EQ(shell.requests.back().file.rfind("mailto:", 0), 0u);
    // A missing answer's note goes once the answer is given, before any press.
    f.Button_SendMail.click();
    f.Edit_YourName.textEdited("Sam", 1);
    f.RadioButton_GoodFeatures.checkedByUser(1);
    EXPECT_EQ(f.Edit_YourName.missingNote(), "");
    EXPECT_EQ(f.Panel_ProgramFeatures.missingNote(), "");
    EXPECT_NE(f.RadioButton_GoodProgram.missingNote(), "");
}

TEST_F(ShellForms, ARadioGroupIsOneTabStopAndTheArrowsMoveWithinIt) {
    Form1->Feedback1.click();
    TFeedbackForm& f = *FeedbackForm;
    const std::array<forms::RadioButton*, 5> features = {&f.RadioButton_ExcelentFeatures, &f.RadioButton_GoodFeatures,
                                                         &f.RadioButton_AverageFeatures, &f.RadioButton_BadFeatures,
                                                         &f.RadioButton_VeryBadFeatures};
    const auto stopOfGroup = [&] {
        const std::vector<forms::Control*> stops = forms::tabStops(f);
        std::vector<forms::Control*> in;
        for (forms::Control* c : stops)
            if (std::find(features.begin(), features.end(), c) != features.end()) in.push_back(c);
        return in;
    };
    EXPECT_EQ(stopOfGroup(), std::vector<forms::Control*>{features[0]}) << "nothing checked: the first button";
    features[3]->setChecked(true);
    EXPECT_EQ(stopOfGroup(), std::vector<forms::Control*>{features[3]}) << "the checked button";

    for (forms::RadioButton* from : features) {
        forms::Control* next = forms::nextTabStop(f, from, false);
        EXPECT_EQ(std::find(features.begin(), features.end(), next), features.end()) << from->name();
    }
    const struct {
        forms::RadioButton* from;
        bool backwards;
        forms::RadioButton* to;
    } arrows[] = {
        {features[1], false, features[2]},
        {features[1], true, features[0]},
        {features[4], false, features[0]},
        {features[0], true, features[4]},
    };
    // The key moves the focus and checks the button, as the user's choice.
    for (const auto& a : arrows) {
        int chosen = 0;
        const auto handler = a.to->onClick;
        a.to->onClick = [&] { ++chosen; };
        EXPECT_TRUE(f.keyArrow(a.from, a.backwards));
        EXPECT_EQ(f.activeControl(), a.to) << a.from->name() << " " << a.backwards;
        EXPECT_TRUE(a.to->checked());
        EXPECT_EQ(chosen, 1);
        a.to->onClick = handler;
    }
    EXPECT_FALSE(f.keyArrow(&f.Button_SendMail, false)) << "not a radio button: its widget keeps the key";
    f.keyTab(features[0], false);
    EXPECT_EQ(f.activeControl(), forms::nextTabStop(f, features[0], false)) << "Tab leaves the group";
}

// What both renderers rely on before they copy a picture's rows, and how a
// caption of several lines is measured.
TEST(ModelHelpers, APictureIsDrawnOnlyWhenEveryPixelIsThereAndCaptionsMeasureByLine) {
    const struct {
        int width, height;
        std::size_t pixels;
        bool drawable;
    } pictures[] = {{2, 2, 4, true}, {2, 2, 3, false}, {0, 2, 4, false}, {2, -1, 4, false}, {1, 1, 0, false}};
    for (const auto& p : pictures) {
        forms::Picture picture;
        picture.width = p.width;
        picture.height = p.height;
        picture.pixels.resize(p.pixels);
        EXPECT_EQ(picture.drawable(), p.drawable) << p.width << "x" << p.height << " with " << p.pixels;
    }
    const auto width = [](const std::string& line) { return static_cast<int>(line.size()); };
    const struct {
        const char* text;
        forms::Size extent;
    } captions[] = {{"", {0, 10}}, {"abc", {3, 10}}, {"ab\r\nabcd\r\n", {4, 30}}, {"abcd\nab", {4, 20}}};
    for (const auto& c : captions) EXPECT_EQ(forms::textExtent(c.text, 10, width), c.extent) << c.text;
}

// The colours a dark theme leaves unreadable are moved until they read,
// keeping their hue; the design's own colours on a light face stay as they are.
TEST(ModelHelpers, TextColoursTooCloseToTheirBackgroundAreMovedUntilTheyRead) {
    const Color dark = Color::rgb(0x32, 0x32, 0x32), light = Color::rgb(0xF0, 0xF0, 0xF0);
    const struct {
        const char* what;
        Color text, back;
        bool kept;
    } rows[] = {
        {"red on a light face", clRed, light, true},
        {"blue on a light face", clBlue, light, true},
        {"grey on white", clGray, clWhite, true},
        {"black on a dark face", clBlack, dark, false},
        {"a light theme's text on white", light, clWhite, false},
        {"blue on a dark face", clBlue, dark, false},
        {"red on a dark face (3.2:1)", clRed, dark, true},
        {"red on black", clRed, clBlack, true},
        {"red on a dark red", clRed, Color::rgb(0xA0, 0x00, 0x00), false},
    };
    for (const auto& r : rows) {
        const Color shown = readableOn(r.text, r.back);
        EXPECT_EQ(shown == r.text, r.kept) << r.what;
        EXPECT_GE(contrastRatio(shown, r.back), r.kept ? 3.0 : 4.5) << r.what;
        // Moved towards white or black, never to another hue.
        EXPECT_EQ(shown.blue() > shown.red(), r.text.blue() > r.text.red()) << r.what;
        EXPECT_EQ(shown.red() > shown.blue(), r.text.red() > r.text.blue()) << r.what;
    }
}

// Both renderers start and stop their native timers on this answer; an
// interval of 0 stops a timer as surely as disabling it.
TEST_F(ModelRules, ATimerRunsOnlyWhenEnabledAndWithAnInterval) {
    Timer& timer = board->makeTimer("timer");
    const struct {
        bool enabled;
        int interval;
        bool running;
    } rows[] = {{true, 1000, true}, {false, 1000, false}, {true, 0, false}, {true, -5, false}, {true, 1, true}};
    for (const auto& r : rows) {
        timer.setEnabled(r.enabled);
        timer.setInterval(r.interval);
        EXPECT_EQ(timer.running(), r.running) << r.enabled << " " << r.interval;
    }
}

// The frame each border style gives; both renderers draw only this.
TEST_F(ModelRules, EachBorderStyleGivesItsFrame) {
    const struct {
        BorderStyle border;
        bool maximizeBox;
        bool minimize, maximize, sizeable, dialog, tool;
    } rows[] = {
        {BorderStyle::Single, true, true, true, false, false, false},
        {BorderStyle::Single, false, true, false, false, false, false},
        {BorderStyle::Dialog, true, false, false, false, true, false},
        {BorderStyle::SizeToolWin, true, false, false, true, false, true},
    };
    for (const auto& r : rows) {
        board->borderStyle = r.border;
        board->maximizeBox = r.maximizeBox;
        const Frame f = board->frame();
        EXPECT_EQ((std::array<bool, 5>{f.minimizeBox, f.maximizeBox, f.sizeable, f.dialog, f.tool}),
                  (std::array<bool, 5>{r.minimize, r.maximize, r.sizeable, r.dialog, r.tool}))
            << static_cast<int>(r.border) << " " << r.maximizeBox;
    }
    EXPECT_FALSE(board->frame().stayOnTop);
    board->setFormStyle(FormStyle::StayOnTop);
    EXPECT_TRUE(board->frame().stayOnTop);
}
