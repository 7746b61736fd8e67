#include "feedback/FeedbackForm.h"

#include <string>

#include "feedback/FeedbackMail.h"
#include "feedback/MailAddresses.h"
#include "feedback/VersionText.h"
#include "platform/forms/Application.h"

using namespace forms;

TFeedbackForm* FeedbackForm = nullptr;

namespace {

Font fontOf(int height, FontStyles style, Color color) {
    Font f;
    f.height = height;
    f.style = style;
    f.color = color;
    return f;
}

const Font FormFont = fontOf(11, fsBold, clWindowText);
const Font PlainFont = fontOf(11, fsNone, clWindowText);

// Labels size themselves to their captions in every renderer; the model only
// needs an estimate of a plain caption's width to start the label that
// continues it on the same line.
constexpr int PlainCharWidth = 6;

constexpr int LabelHeight = 13;

// What a screen reader says of a field whose answer Send Email found missing.
constexpr const char* MissingAnswerNote = "This answer is missing; it is needed to send the feedback.";

// The captions of both rating groups, best first.
constexpr const char* RatingCaptions[] = {"Excellent", "Good", "Average", "Bad", "Very Bad"};

}  // namespace

TFeedbackForm::TFeedbackForm(Application& app, sys::Services& services)
    : Form(app, "FeedbackForm"),
      Panel(make<forms::Panel>("Panel")),
      Button_Cancel(make<Button>("Button_Cancel", &Panel)),
      Label_YourName(make<Label>("Label_YourName", &Panel)),
      Edit_YourName(make<Edit>("Edit_YourName", &Panel)),
      Panel_ProgramFeatures(make<forms::Panel>("Panel_ProgramFeatures", &Panel)),
      RadioButton_ExcelentFeatures(make<RadioButton>("RadioButton_ExcelentFeatures", &Panel_ProgramFeatures)),
      RadioButton_GoodFeatures(make<RadioButton>("RadioButton_GoodFeatures", &Panel_ProgramFeatures)),
      RadioButton_AverageFeatures(make<RadioButton>("RadioButton_AverageFeatures", &Panel_ProgramFeatures)),
      RadioButton_BadFeatures(make<RadioButton>("RadioButton_BadFeatures", &Panel_ProgramFeatures)),
      RadioButton_VeryBadFeatures(make<RadioButton>("RadioButton_VeryBadFeatures", &Panel_ProgramFeatures)),
      Label_ProgramFeatures(make<Label>("Label_ProgramFeatures", &Panel)),
      Panel_ProgramRate(make<forms::Panel>("Panel_ProgramRate", &Panel)),
      RadioButton_ExcellentProgram(make<RadioButton>("RadioButton_ExcellentProgram", &Panel_ProgramRate)),
      RadioButton_GoodProgram(make<RadioButton>("RadioButton_GoodProgram", &Panel_ProgramRate)),
      RadioButton_AverageProgram(make<RadioButton>("RadioButton_AverageProgram", &Panel_ProgramRate)),
      RadioButton_BadProgram(make<RadioButton>("RadioButton_BadProgram", &Panel_ProgramRate)),
      RadioButton_VeryBadProgram(make<RadioButton>("RadioButton_VeryBadProgram", &Panel_ProgramRate)),
      Label_ProgramRate(make<Label>("Label_ProgramRate", &Panel)),
      Button_SendMail(make<Button>("Button_SendMail", &Panel)),
      Memo_Comments(make<Memo>("Memo_Comments", &Panel)),
      Label_Comments(make<Label>("Label_Comments", &Panel)),
      Label_Note(make<Label>("Label_Note", &Panel)),
      Label_AnyAsisstance(make<Label>("Label_AnyAsisstance", &Panel)),
      Label_ContactUs(make<Label>("Label_ContactUs", &Panel)),
      Label_HeadText(make<Label>("Label_HeadText")),
      Label_FillForm(make<Label>("Label_FillForm")),
      features_{&RadioButton_ExcelentFeatures, &RadioButton_GoodFeatures, &RadioButton_AverageFeatures,
                &RadioButton_BadFeatures, &RadioButton_VeryBadFeatures},
      overall_{&RadioButton_ExcellentProgram, &RadioButton_GoodProgram, &RadioButton_AverageProgram,
               &RadioButton_BadProgram, &RadioButton_VeryBadProgram},
      services_(services) {
    setText("Feedback Form");
    // A mail program that starts and then gives up (xdg-open finding no
    // handler for the address) is told as one that cannot start; the links
    // stay silent. Not while a run holds the loop: the box waits for it.
    services_.shell.WatchHandlers([this](const std::string& file) {
        if (file == sentAddress_) application().AfterHold([this] { mailNotStarted(); });
    });
    borderStyle = BorderStyle::SizeToolWin;
    centring = Centring::EachShow;
    maximizeBox = false;
    setFormStyle(FormStyle::StayOnTop);
    setClientSize(489, 487);
    setBounds(0, 0, 497, 514);
    setColor(clWindow);
    setFont(FormFont);
    // Every control takes the form's bold font and, buttons apart, its
    // background; the exceptions are set where each control is built.
    for (Control* c : controls()) {
        c->setFont(FormFont);
        if (c->kind() != Kind::Button) c->setColor(clWindow);
    }

    Label_HeadText.setText("We would very appreciate your opinion and suggestions. ");
    Label_HeadText.autoSize = false;  // spans the form so that it centres above the panel
    Label_HeadText.setBounds(8, 8, 473, 17);
    Label_HeadText.setAlignment(Alignment::Center);
    Label_HeadText.setFont(fontOf(13, fsBold, clGray));

    Label_FillForm.setText("Please fill the form below:");
    Label_FillForm.setBounds(16, 32, 0, LabelHeight);
    Label_FillForm.setFont(PlainFont);

    Panel.setBounds(8, 52, 473, 427);
    Panel.edge = forms::Panel::Edge::SingleLine;
    Panel.tabOrder = 0;

    buildQuestions();
    buildFooter();

    // The name comes first in the keyboard order, so it has the focus when
    // the form opens.
    FocusControl(Edit_YourName);
}

void TFeedbackForm::buildQuestions() {
    Label_YourName.setText("1. Your Full Name");
    Label_YourName.setBounds(16, 18, 0, LabelHeight);
    Edit_YourName.setBounds(168, 14, 289, 21);  // no length limit
    Edit_YourName.tabOrder = 0;
    Edit_YourName.labelledBy = &Label_YourName;
    Edit_YourName.onChange = [this] {
        if (!Edit_YourName.text().empty()) noteMissing(Edit_YourName, false);
    };

    Label_ProgramFeatures.setText("2. Your opinion of the program features");
    Label_ProgramFeatures.setBounds(16, 52, 0, LabelHeight);
    buildRatingGroup(Panel_ProgramFeatures, features_, 16);
    Panel_ProgramFeatures.tabOrder = 2;
    Panel_ProgramFeatures.labelledBy = &Label_ProgramFeatures;

    Label_ProgramRate.setText("3. Overall program rate");
    Label_ProgramRate.setBounds(288, 52, 0, LabelHeight);
    buildRatingGroup(Panel_ProgramRate, overall_, 288);
    Panel_ProgramRate.tabOrder = 3;
    Panel_ProgramRate.labelledBy = &Label_ProgramRate;

    Label_Comments.setText("4. Your suggestions, comments or bug description");
    Label_Comments.setBounds(16, 182, 0, LabelHeight);
    Memo_Comments.setBounds(16, 200, 441, 129);  // no length limit
    Memo_Comments.verticalScrollBar = true;
    Memo_Comments.wordWrap = true;
    Memo_Comments.tabOrder = 1;
    Memo_Comments.labelledBy = &Label_Comments;

    Button_SendMail.setText("Send Email");
    Button_SendMail.setBounds(16, 342, 97, 25);
    Button_SendMail.tabOrder = 4;
    Button_SendMail.onClick = [this] { Button_SendMailClick(); };

    Button_Cancel.setText("Cancel");
    Button_Cancel.setBounds(360, 342, 97, 25);
    Button_Cancel.tabOrder = 5;
    Button_Cancel.isCancel = true;
    Button_Cancel.onClick = [this] { Button_CancelClick(); };
}

// A borderless panel without caption: it only makes its five buttons one
// exclusive group.
void TFeedbackForm::buildRatingGroup(forms::Panel& panel, const RatingGroup& group, int left) {
    panel.setBounds(left, 70, 169, 100);
    panel.border = false;
    for (std::size_t i = 0; i < group.size(); ++i) {
        group[i]->setText(RatingCaptions[i]);
        group[i]->setBounds(8, static_cast<int>(i) * 20, 120, 17);
        group[i]->tabOrder = static_cast<int>(i);
        group[i]->onClick = [&panel] { noteMissing(panel, false); };
    }
}

// The note, the support address and "if you need any assistance" read as one
// sentence over two lines.
void TFeedbackForm::buildFooter() {
    Label_Note.setText("NOTE: This feedback will not be replied.. Please contact us at");
    Label_Note.setBounds(16, 380, 0, LabelHeight);
    Label_Note.setFont(fontOf(11, fsNone, clBlack));

    const std::string contact = std::string(feedback::SupportMailAddress) + " ";
    Label_ContactUs.setText(contact);
    Label_ContactUs.setBounds(16, 398, 0, LabelHeight);
    Label_ContactUs.setFont(fontOf(11, fsNone, clBlue));
    Label_ContactUs.setCursor(Cursor::Hand);
    Label_ContactUs.onClick = [this] { Label_ContactUsClick(); };
    Label_ContactUs.onMouseEnter = [this] { Label_ContactUsMouseEnter(); };
    Label_ContactUs.onMouseLeave = [this] { Label_ContactUsMouseLeave(); };
    Label_ContactUs.link = true;
    Label_ContactUs.tabStop = true;
    Label_ContactUs.tabOrder = 6;  // after Cancel

    // The address and "if you need any assistance" read as one line; the
    // estimate places the label where no renderer measures the caption.
    const int followerLeft = Label_ContactUs.left() + PlainCharWidth * static_cast<int>(contact.size());
    Label_AnyAsisstance.setText("if you need any assistance");
    Label_AnyAsisstance.setBounds(followerLeft, Label_ContactUs.top(), 0, LabelHeight);
    Label_AnyAsisstance.follows = &Label_ContactUs;
    Label_AnyAsisstance.setFont(PlainFont);
}

void TFeedbackForm::Open() {
    Edit_YourName.setText("");
    setVisible(true);
}

void TFeedbackForm::Button_CancelClick() { setVisible(false); }

void TFeedbackForm::Label_ContactUsMouseEnter() { Label_ContactUs.setFontStyle(fsUnderline); }

void TFeedbackForm::Label_ContactUsMouseLeave() { Label_ContactUs.setFontStyle(fsNone); }

void TFeedbackForm::Label_ContactUsClick() {
    const std::string address = "mailto:" + std::string(feedback::SupportMailAddress);
    services_.shell.ShellExecuteA(nullptr, address.c_str(), nullptr, nullptr, sys::SW_SHOWNORMAL);
}

// A field whose answer is missing (a rating group with its buttons) tells a
// screen reader so, until the answer is given.
void TFeedbackForm::noteMissing(Control& answer, bool missing) {
    const std::string note = missing ? MissingAnswerNote : "";
    answer.setMissingNote(note);
    for (Control* c : answer.children()) c->setMissingNote(note);
}

std::optional<std::string_view> TFeedbackForm::checkedRating(const RatingGroup& group) {
    for (std::size_t i = 0; i < group.size(); ++i)
        if (group[i]->checked()) return feedback::RatingWords[i];
    return std::nullopt;
}

// Every check runs at every press, so one press marks all missing answers;
// only a complete set of answers is sent. Nothing on the form is cleared.
void TFeedbackForm::Button_SendMailClick() {
    bool send = true;
    for (Label* question : {&Label_YourName, &Label_ProgramFeatures, &Label_ProgramRate})
        question->setFontColor(clBlack);

    feedback::FeedbackAnswers answers;
    answers.name = Edit_YourName.text();
    if (answers.name.empty()) {  // a name of blanks is a name
        Label_YourName.setFontColor(clRed);
        send = false;
    }
    answers.featuresWord = checkedRating(features_);
    if (!answers.featuresWord) {
        Label_ProgramFeatures.setFontColor(clRed);
        send = false;
    }
    answers.overallWord = checkedRating(overall_);
    if (!answers.overallWord) {
        Label_ProgramRate.setFontColor(clRed);
        send = false;
    }
    answers.comments = Memo_Comments.text();
    // A screen reader hears what the red marks show.
    noteMissing(Edit_YourName, answers.name.empty());
    noteMissing(Panel_ProgramFeatures, !answers.featuresWord);
    noteMissing(Panel_ProgramRate, !answers.overallWord);
    if (!send) return;

    const std::string address =
        feedback::ComposeFeedbackAddress(feedback::FeedbackMailAddress, feedback::VersionText(services_.locale), answers);
    // 32 and below: no mail program could be started. The form looks the same
    // after a send, so without a word the user would take the feedback as
    // sent; the box names the mailbox so it can be written by hand, and every
    // answer stays on the form.
    sentAddress_ = address;
    if (services_.shell.ShellExecuteA(nullptr, address.c_str(), nullptr, nullptr, sys::SW_SHOWNORMAL) <= 32)
        mailNotStarted();
}

void TFeedbackForm::mailNotStarted() {
    application().MessageBox(feedback::MailNotStartedText(feedback::FeedbackMailAddress), text(), MessageKind::Error,
                             this);
}
