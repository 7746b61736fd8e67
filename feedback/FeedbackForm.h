// The feedback questionnaire.
#pragma once

#include "platform/forms/Form.h"
#include "platform/services.h"

class TFeedbackForm : public forms::Form {
public:
    TFeedbackForm(forms::Application& app, sys::Services& services);

    forms::Panel& Panel;
    forms::Edit& Edit_YourName;

private:
    sys::Services& services_;
};

extern TFeedbackForm* FeedbackForm;
