// The main window: menu, status bar, the four information topics, the launch
// instructions, and the one-shot timer that decides the platform.
#pragma once

#include "platform/forms/Form.h"
#include "platform/services.h"

class TForm1 : public forms::Form {
public:
    TForm1(forms::Application& app, sys::Services& services);

    forms::Panel& Panel1;
    forms::Label& WelcomeLabel;
    forms::Label& HowWorksLabel;
    forms::Label& BenefitsLabel;
    forms::Label& NotesLabel;
    forms::Label& Label1;
    forms::Label& Label2;
    forms::RichEdit& WelcomeRichEdit;
    forms::RichEdit& BenefitsRichEdit;
    forms::RichEdit& HowWorksRichEdit;
    forms::RichEdit& NotesRichEdit;
    forms::RichEdit& StartRehenerationRichEdit;
    forms::StatusBar& StatusBar1;
    forms::MainMenu& MainMenu1;
    forms::MenuItem& StartRegeneration1;
    forms::MenuItem& Start1;
    forms::MenuItem& CreateDiskette2;
    forms::MenuItem& Feedback1;
    forms::MenuItem& About1;
    forms::MenuItem& Exit1;
    forms::Timer& Timer1;

    void FormCreate() override;
    void Timer1Timer();
    void Start1Click();
    void CreateDiskette2Click();
    void Feedback1Click();
    void About1Click();
    void Exit1Click();
    void Label2Click();

    // The information topics.
    void WelcomeLabelClick();
    void HowWorksLabelClick();
    void BenefitsLabelClick();
    void NotesLabelClick();

    static constexpr int NormalHeight = 229;
    static constexpr int LaunchHeight = 300;
    static constexpr int NormalPanelHeight = 161;
    static constexpr int LaunchPanelHeight = 232;

private:
    enum class Topic { Benefits, HowWorks, Notes, Welcome };
    void selectTopic(Topic clicked, bool markRed);
    void buildTopics();
    void buildMenu();

    sys::Services& services_;
};

extern TForm1* Form1;
// True exactly on Windows 95, 98 and Me; decided by the first timer tick.
extern bool IsWin9xPlatform;
