// A message box that no test waits for would hold a suite in a modal loop
// until someone answers it, so each renderer's suite runs a watchdog that
// fails the running test and closes the box. A test that raises one on
// purpose says so first: while an ExpectedMessageBox exists, message boxes
// belong to the test that made it. Header only, as it serves the Qt suite
// and the Windows-side one alike.
#pragma once

namespace testsupport {

class ExpectedMessageBox {
public:
    ExpectedMessageBox() { ++count(); }
    ~ExpectedMessageBox() { --count(); }
    ExpectedMessageBox(const ExpectedMessageBox&) = delete;
    ExpectedMessageBox& operator=(const ExpectedMessageBox&) = delete;

    // Whether some test holds one now; the watchdog leaves boxes alone then.
    static bool anyExpected() { return count() > 0; }

private:
    static int& count() {
        static int expected = 0;
        return expected;
    }
};

}  // namespace testsupport
