#include "tests/qt/QtShell.h"

#include <QApplication>
#include <QMenuBar>
#include <QTest>

namespace qttest {

bool waitFor(const std::function<bool()>& condition, int timeoutMs) {
    return QTest::qWaitFor(condition, timeoutMs);
}

fakes::Bytes sampleImage() {
    fakes::Bytes image(1408 * 512);
    for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(i / 512);
    return image;
}

MessageBoxAnswer::MessageBoxAnswer() {
    poll_.setInterval(10);
    QObject::connect(&poll_, &QTimer::timeout, &poll_, [this] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) return;
        seen_ = Seen{box->windowTitle(), box->text(), box->icon()};
        poll_.stop();
        box->done(QMessageBox::Ok);
    });
    poll_.start();
}

void QtShell::SetUp() {
    fakes::AppFixture::ResetGlobals();
    kernel.platformId = platform();
    kernel.files[fakes::Key("Dsck.tr")] = sampleImage();
    ASSERT_EQ(DorvaneMain(app, services), 0);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window(*Form1)));
}

void QtShell::TearDown() { fakes::AppFixture::ResetGlobals(); }

qtui::FormWindow& QtShell::window(const forms::Form& form) const {
    qtui::FormWindow* w = backend.window(form);
    if (!w) throw std::logic_error("no window for " + form.name());
    return *w;
}

QWidget* QtShell::widget(const forms::Control& control) const {
    auto& form = const_cast<forms::Control&>(control).form();
    return window(form).widgetFor(control);
}

QAction* QtShell::menuAction(const char* name) const {
    QMenuBar* bar = window(*Form1).menuBar();
    return bar ? bar->findChild<QAction*>(QString::fromLatin1(name)) : nullptr;
}

void QtShell::choose(const char* name) {
    QAction* a = menuAction(name);
    ASSERT_NE(a, nullptr) << name;
    a->trigger();
}

void QtShell::waitForPlatformTest() {
    ASSERT_TRUE(waitFor([] { return !Form1->Timer1.enabled(); })) << "the timer never ticked";
}

bool QtShell::shown(const forms::Form& form) {
    qtui::FormWindow& w = window(form);
    return w.isVisible() && QTest::qWaitForWindowExposed(&w);
}

bool QtShell::shownTo(const forms::Control& control) const {
    QWidget* w = widget(control);
    return w && w->isVisibleTo(w->window());
}

int countPixels(QWidget& w, const std::function<bool(QColor)>& match) {
    const QImage image = w.grab().toImage();
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (match(image.pixelColor(x, y))) ++n;
    return n;
}

// Anti-aliased text keeps its hue in the darkest pixels of each glyph.
bool isRed(QColor c) { return c.red() > 200 && c.green() < 80 && c.blue() < 80; }
bool isBlue(QColor c) { return c.blue() > 200 && c.red() < 80 && c.green() < 80; }

}  // namespace qttest
