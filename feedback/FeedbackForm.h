// The feedback questionnaire: a name, two five-step ratings and free
// comments, sent as a mailto: address to the user's mail client; a support
// address opens a blank mail.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "platform/forms/Form.h"
#include "platform/services.h"

class TFeedbackForm : public forms::Form {
public:
    TFeedbackForm(forms::Application& app, sys::Services& services);

    forms::Panel& Panel;
    forms::Button& Button_Cancel;
    forms::Label& Label_YourName;
    forms::Edit& Edit_YourName;
    forms::Panel& Panel_ProgramFeatures;
    forms::RadioButton& RadioButton_ExcelentFeatures;
    forms::RadioButton& RadioButton_GoodFeatures;
    forms::RadioButton& RadioButton_AverageFeatures;
    forms::RadioButton& RadioButton_BadFeatures;
    forms::RadioButton& RadioButton_VeryBadFeatures;
    forms::Label& Label_ProgramFeatures;
    forms::Panel& Panel_ProgramRate;
    forms::RadioButton& RadioButton_ExcellentProgram;
    forms::RadioButton& RadioButton_GoodProgram;
    forms::RadioButton& RadioButton_AverageProgram;
    forms::RadioButton& RadioButton_BadProgram;
    forms::RadioButton& RadioButton_VeryBadProgram;
    forms::Label& Label_ProgramRate;
    forms::Button& Button_SendMail;
    forms::Memo& Memo_Comments;
    forms::Label& Label_Comments;
    forms::Label& Label_Note;
    forms::Label& Label_AnyAsisstance;
    forms::Label& Label_ContactUs;
    forms::Label& Label_HeadText;
    forms::Label& Label_FillForm;

    // Shows the form with an empty name; the ratings and comments stay as
    // the user left them.
    void Open();
    void Button_CancelClick();
    void Button_SendMailClick();
    void Label_ContactUsClick();
    void Label_ContactUsMouseEnter();
    void Label_ContactUsMouseLeave();

private:
    // One rating group's buttons, best first, in the order of RatingWords.
    using RatingGroup = std::array<forms::RadioButton*, 5>;
    static std::optional<std::string_view> checkedRating(const RatingGroup& group);
    static void noteMissing(forms::Control& answer, bool missing);

    void buildQuestions();
    void buildRatingGroup(forms::Panel& panel, const RatingGroup& group, int left);
    void buildFooter();
    // No mail program could be started for the feedback, or it gave up.
    void mailNotStarted();

    RatingGroup features_;
    RatingGroup overall_;
    sys::Services& services_;
    std::string sentAddress_;  // the last feedback address handed to the shell
};

extern TFeedbackForm* FeedbackForm;
