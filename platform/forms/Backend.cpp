#include "platform/forms/Backend.h"

#include "platform/forms/Form.h"

namespace forms {

void Backend::formCreated(Form& form) { formViews_.push_back(form.makeView(factory())); }

void Backend::formsClosing() {
    // The later forms first: the first one owns none of them.
    while (!formViews_.empty()) formViews_.pop_back();
    viewsGone();
}

void Backend::run(Form& mainForm) {
    if (terminated_) return;
    mainForm.setVisible(true);
    if (!returnAfterShow_) eventLoop(mainForm);
}

void Backend::terminate() {
    terminated_ = true;
    quit();
}

}  // namespace forms
