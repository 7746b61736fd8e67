#include "feedback/FeedbackForm.h"

using namespace forms;

TFeedbackForm* FeedbackForm = nullptr;

TFeedbackForm::TFeedbackForm(Application& app, sys::Services& services)
    : Form(app, "FeedbackForm"),
      Panel(make<forms::Panel>("Panel")),
      Edit_YourName(make<Edit>("Edit_YourName", &Panel)),
      services_(services) {
    setText("Feedback Form");
}
