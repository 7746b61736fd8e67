// The real shell on the Qt renderer, for every test: the four forms made by
// the start-up function on the fakes, the main window shown, and the event
// loop pumped by the test itself. Helpers find a control's widget, choose a
// menu command and wait for a condition with a bounded timeout.
#pragma once

#include <QAction>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>

#include "platform/qt/FormWindow.h"
#include "platform/qt/QtBackend.h"
#include "tests/qt/MessageBoxWatchdog.h"
#include "tests/fakes/AppFixture.h"

namespace qttest {

// Long enough for a slow machine, short enough to fail a stuck test.
constexpr int WaitMs = 5000;

// Processes events until `condition` holds; false when the time ran out.
bool waitFor(const std::function<bool()>& condition, int timeoutMs = WaitMs);

// A sample regeneration image: 1,408 sectors, each filled with its number.
fakes::Bytes sampleImage();

// Answers the next modal message box and remembers what it showed.
class MessageBoxAnswer {
public:
    MessageBoxAnswer();
    struct Seen {
        QString title;
        QString text;
        QMessageBox::Icon icon;
    };
    const std::optional<Seen>& seen() const { return seen_; }

private:
    ExpectedMessageBox expected_;
    QTimer poll_;
    std::optional<Seen> seen_;
};

class QtShell : public ::testing::Test {
protected:
    fakes::FakeKernel kernel;
    fakes::FakeShell shell;
    fakes::FakeLocale locale;
    sys::Services services{kernel, shell, locale};
    qtui::QtBackend backend{qtui::QtBackendOptions{.returnAfterShow = true}};
    forms::Application app{backend};

    void SetUp() override;
    void TearDown() override;

    // What the platform test will find; set before the shell starts.
    virtual std::optional<sys::DWORD> platform() const { return sys::VER_PLATFORM_WIN32_NT; }

public:
    qtui::FormWindow& window(const forms::Form& form) const;
    QWidget* widget(const forms::Control& control) const;
    template <class W>
    W* widgetAs(const forms::Control& control) const {
        return qobject_cast<W*>(widget(control));
    }
    QAction* menuAction(const char* name) const;
    // Chooses a menu command as the user does, through its QAction.
    void choose(const char* name);
    // Waits until the main window's timer has made its one tick.
    void waitForPlatformTest();
    bool shown(const forms::Form& form);
    bool shownTo(const forms::Control& control) const;
};

// The same shell on Windows 95, 98 or Me, where Start Regeneration stays.
class QtShell9x : public QtShell {
protected:
    std::optional<sys::DWORD> platform() const override { return sys::VER_PLATFORM_WIN32_WINDOWS; }
};

// Pixels of a widget as it paints itself now.
int countPixels(QWidget& w, const std::function<bool(QColor)>& match);
bool isRed(QColor c);
bool isBlue(QColor c);

}  // namespace qttest
