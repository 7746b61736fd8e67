#include "app/MainForm.h"

#include "app/AboutForm.h"
#include "app/TopicTexts.h"
#include "feedback/FeedbackForm.h"
#include "media/ConsoleLaunch.h"
#include "media/CreateDisketteForm.h"
#include "media/DisketteWriter.h"

using namespace forms;

TForm1* Form1 = nullptr;
bool IsWin9xPlatform = true;

namespace {

Font plainFont(int height, Color color = clWindowText) {
    Font f;
    f.height = height;
    f.color = color;
    return f;
}

Font topicTextFont(int height) {
    Font f;
    f.name = "Times New Roman";
    f.height = height;
    f.charset = RUSSIAN_CHARSET;
    return f;
}

// Read-only, disabled, borderless text on the panel's background.
void setUpTextBox(RichEdit& box, int left, int top, int width, int height, int fontHeight, Alignment align,
                  const char* text, bool visible) {
    box.setBounds(left, top, width, height);
    box.setFont(topicTextFont(fontHeight));
    box.setAlignment(align);
    box.setText(text);
    box.readOnly = true;
    box.border = false;
    box.setEnabled(false);
    box.setColor(clBtnFace);
    box.setVisible(visible);
}

void setUpTopicLabel(Label& label, const char* caption, int left, int top, bool enabled, Color color) {
    label.setText(caption);
    label.setBounds(left, top, 0, 13);
    label.setFont(plainFont(11, color));
    label.setCursor(Cursor::Hand);
    label.setEnabled(enabled);
    label.link = true;
    label.tabStop = true;
}

}  // namespace

TForm1::TForm1(Application& app, sys::Services& services)
    : Form(app, "Form1"),
      Panel1(make<Panel>("Panel1")),
      WelcomeLabel(make<Label>("WelcomeLabel", &Panel1)),
      HowWorksLabel(make<Label>("HowWorksLabel", &Panel1)),
      BenefitsLabel(make<Label>("BenefitsLabel", &Panel1)),
      NotesLabel(make<Label>("NotesLabel", &Panel1)),
      Label1(make<Label>("Label1", &Panel1)),
      Label2(make<Label>("Label2", &Panel1)),
      WelcomeRichEdit(make<RichEdit>("WelcomeRichEdit", &Panel1)),
      BenefitsRichEdit(make<RichEdit>("BenefitsRichEdit", &Panel1)),
      HowWorksRichEdit(make<RichEdit>("HowWorksRichEdit", &Panel1)),
      NotesRichEdit(make<RichEdit>("NotesRichEdit", &Panel1)),
      StartRehenerationRichEdit(make<RichEdit>("StartRehenerationRichEdit", &Panel1)),
      StatusBar1(make<StatusBar>("StatusBar1")),
      MainMenu1(makeMenu("MainMenu1")),
      StartRegeneration1(MainMenu1.add("StartRegeneration1", "Regeneration", 'R')),
      Start1(StartRegeneration1.add("Start1", "Start Regeneration", 'S')),
      CreateDiskette2(StartRegeneration1.add("CreateDiskette2", "Create Diskette", 'C')),
      Feedback1(MainMenu1.add("Feedback1", "Feedback", 'F')),
      About1(MainMenu1.add("About1", "About", 'A')),
      Exit1(MainMenu1.add("Exit1", "Exit", 'E')),
      Timer1(makeTimer("Timer1")),
      services_(services) {
    setText("Dorvane Shell");
    borderStyle = BorderStyle::Single;
    maximizeBox = false;
    setClientSize(409, 183);
    setBounds(0, 0, 417, NormalHeight);
    setFont(plainFont(11));

    Panel1.setBounds(8, 0, 393, NormalPanelHeight);
    Panel1.setFont(font());

    buildTopics();

    Label1.setText("regeneration  and");
    Label1.setBounds(24, 208, 0, 16);
    Label1.setFont(plainFont(15));
    Label2.setText("click here to minimize this window");
    Label2.setBounds(136, 208, 0, 16);
    Label2.setFont(plainFont(15, clBlue));
    Label2.setCursor(Cursor::Hand);
    Label2.onClick = [this] { Label2Click(); };
    // After the topics in the keyboard order; a stop only in the launch
    // layout, the one where it lies inside the panel.
    Label2.link = true;
    Label2.tabStop = true;
    Label2.tabOrder = 4;

    setUpTextBox(StartRehenerationRichEdit, 8, 4, 377, 205, 15, Alignment::Left, texts::LaunchInstructions, false);

    StatusBar1.dockedBottom = true;
    StatusBar1.setBounds(0, 183 - 19, 409, 19);
    StatusBar1.panelWidths = {330, 50};

    buildMenu();

    Timer1.setEnabled(false);
    Timer1.setInterval(100);
    Timer1.onTimer = [this] { Timer1Timer(); };
}

void TForm1::buildMenu() {
    Start1.onClick = [this] { Start1Click(); };
    CreateDiskette2.onClick = [this] { CreateDiskette2Click(); };
    Feedback1.onClick = [this] { Feedback1Click(); };
    About1.onClick = [this] { About1Click(); };
    Exit1.onClick = [this] { Exit1Click(); };
}

void TForm1::buildTopics() {
    setUpTopicLabel(WelcomeLabel, "Welcome!", 16, 120, false, clRed);
    setUpTopicLabel(HowWorksLabel, "How does it work?", 16, 136, true, clBlue);
    setUpTopicLabel(BenefitsLabel, " Main benefits", 312, 120, true, clBlue);
    setUpTopicLabel(NotesLabel, "Important notes", 304, 136, true, clBlue);
    WelcomeLabel.onClick = [this] { WelcomeLabelClick(); };
    HowWorksLabel.onClick = [this] { HowWorksLabelClick(); };
    BenefitsLabel.onClick = [this] { BenefitsLabelClick(); };
    NotesLabel.onClick = [this] { NotesLabelClick(); };
    // The keyboard reads the topics as the eye does: the left column top to
    // bottom, then the right one.
    int order = 0;
    for (Label* topic : {&WelcomeLabel, &HowWorksLabel, &BenefitsLabel, &NotesLabel}) topic->tabOrder = order++;

    setUpTextBox(WelcomeRichEdit, 8, 16, 377, 97, 16, Alignment::Center, texts::Welcome, true);
    setUpTextBox(BenefitsRichEdit, 8, 16, 377, 97, 12, Alignment::Left, texts::Benefits, false);
    setUpTextBox(HowWorksRichEdit, 8, 16, 377, 97, 13, Alignment::Left, texts::HowWorks, false);
    setUpTextBox(NotesRichEdit, 8, 12, 377, 101, 15, Alignment::Left, texts::Notes, false);
}

void TForm1::FormCreate() { Timer1.setEnabled(true); }

void TForm1::Timer1Timer() {
    Timer1.setEnabled(false);
    sys::OsVersionInfo info{};
    info.dwOSVersionInfoSize = sizeof info;
    // A failed call leaves the platform unknown; only a definite Windows 9x
    // answer may offer the direct start.
    const bool answered = services_.kernel.GetVersionExA(&info);
    IsWin9xPlatform = answered && info.dwPlatformId == sys::VER_PLATFORM_WIN32_WINDOWS;
    if (!IsWin9xPlatform) Start1.setVisible(false);
    media::SetDiskettePlatform(IsWin9xPlatform);
}

void TForm1::Start1Click() {
    setHeight(LaunchHeight);
    Panel1.setHeight(LaunchPanelHeight);
    StartRehenerationRichEdit.setVisible(true);
    setFormStyle(FormStyle::StayOnTop);
    media::RunConsoleLaunch(services_.kernel, application());
}

void TForm1::CreateDiskette2Click() { Form2->Open(); }

void TForm1::Feedback1Click() { FeedbackForm->Open(); }

void TForm1::About1Click() { About->setVisible(true); }

void TForm1::Exit1Click() { Close(); }

void TForm1::Label2Click() {
    StartRehenerationRichEdit.setVisible(false);
    setHeight(NormalHeight);
    Panel1.setHeight(NormalPanelHeight);
    selectTopic(Topic::Welcome, false);
    setWindowState(WindowState::Minimized);
    setFormStyle(FormStyle::Normal);
}
