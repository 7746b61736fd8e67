// The four information topics: one rule, applied to the clicked topic.
#include "app/MainForm.h"

using namespace forms;

void TForm1::selectTopic(Topic clicked, bool markRed) {
    struct Entry {
        Topic topic;
        Label& label;
        RichEdit& box;
    };
    // The fixed walk order; the clicked topic is handled where it falls.
    const Entry walk[] = {
        {Topic::Benefits, BenefitsLabel, BenefitsRichEdit},
        {Topic::HowWorks, HowWorksLabel, HowWorksRichEdit},
        {Topic::Notes, NotesLabel, NotesRichEdit},
        {Topic::Welcome, WelcomeLabel, WelcomeRichEdit},
    };
    for (const Entry& e : walk) {
        if (e.topic == clicked) {
            e.label.setEnabled(false);
            if (markRed) e.label.setFontColor(clRed);
            e.box.setVisible(true);
        } else {
            e.label.setEnabled(true);
            e.box.setVisible(false);
        }
    }
}

void TForm1::BenefitsLabelClick() { selectTopic(Topic::Benefits, true); }
void TForm1::HowWorksLabelClick() { selectTopic(Topic::HowWorks, true); }
void TForm1::NotesLabelClick() { selectTopic(Topic::Notes, true); }
// The Welcome label is red from the start.
void TForm1::WelcomeLabelClick() { selectTopic(Topic::Welcome, false); }
