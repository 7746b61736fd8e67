#include "platform/win32/ViewFactory.h"

namespace win32 {

using forms::Kind;

std::unique_ptr<ControlView> ViewFactory::make(forms::Control& c) {
    switch (c.kind()) {
    case Kind::Label: return label(static_cast<forms::Label&>(c));
    case Kind::Edit: return edit(static_cast<forms::Edit&>(c));
    case Kind::Memo: return memo(static_cast<forms::Memo&>(c));
    case Kind::RichEdit: return richEdit(static_cast<forms::RichEdit&>(c));
    case Kind::RadioButton: return radioButton(static_cast<forms::RadioButton&>(c));
    case Kind::Panel: return panel(static_cast<forms::Panel&>(c));
    case Kind::Bevel: return bevel(static_cast<forms::Bevel&>(c));
    case Kind::Image: return image(static_cast<forms::Image&>(c));
    case Kind::Button: return button(static_cast<forms::Button&>(c));
    case Kind::BitBtn: return bitBtn(static_cast<forms::BitBtn&>(c));
    case Kind::ProgressBar: return progressBar(static_cast<forms::ProgressBar&>(c));
    case Kind::StatusBar: return statusBar(static_cast<forms::StatusBar&>(c));
    case Kind::Form: break;  // a form is a window of its own, not a view inside one
    }
    return nullptr;
}

}  // namespace win32
