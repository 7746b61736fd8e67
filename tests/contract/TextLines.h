// The lines each topic text and the launch text take once laid out, as the
// texts were written: the same in every renderer.
#pragma once

#include <vector>

#include "app/MainForm.h"

namespace contract {

struct TextLines {
    forms::Label* label;  // shows the topic; none for the launch text
    forms::RichEdit& box;
    int lines;
};

inline std::vector<TextLines> textLines(TForm1& form) {
    return {
        {&form.BenefitsLabel, form.BenefitsRichEdit, 6}, {&form.HowWorksLabel, form.HowWorksRichEdit, 6},
        {&form.NotesLabel, form.NotesRichEdit, 6},       {&form.WelcomeLabel, form.WelcomeRichEdit, 5},
        {nullptr, form.StartRehenerationRichEdit, 12},
    };
}

}  // namespace contract
