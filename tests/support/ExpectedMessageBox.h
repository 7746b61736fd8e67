// While one exists, message boxes belong to the test that made it: the
// watchdogs of the Qt and the Windows-side suites, which fail a test at a
// box it does not expect and close the box, leave them alone.
#pragma once

namespace testsupport {

class ExpectedMessageBox {
public:
    ExpectedMessageBox() { ++count(); }
    ~ExpectedMessageBox() { --count(); }
    ExpectedMessageBox(const ExpectedMessageBox&) = delete;
    ExpectedMessageBox& operator=(const ExpectedMessageBox&) = delete;

    static bool anyExpected() { return count() > 0; }

private:
    static int& count() {
        static int expected = 0;
        return expected;
    }
};

}  // namespace testsupport
