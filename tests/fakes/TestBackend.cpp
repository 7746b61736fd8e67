#include "tests/fakes/TestBackend.h"

namespace fakes {

void TestBackend::run(forms::Form& mainForm) {
    ran = true;
    mainForm.setVisible(true);
    if (loop) loop(mainForm);
}

}  // namespace fakes
