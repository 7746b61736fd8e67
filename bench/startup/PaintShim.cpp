// Preloaded (LD_PRELOAD) into a Qt Widgets program by the start-up probe,
// never linked into one: tells the probe when the program's first window
// has been painted, then ends the program.
//
// Qt calls the start-up function below while the application object is
// being constructed; it installs an application-wide event filter. The
// first paint event of any widget of a window starts that window's first
// repaint; a queued call then runs once the repaint and its flush are done,
// writes the monotonic clock (8 bytes, nanoseconds) to the descriptor named
// by DORVANE_BENCH_PAINT_FD and exits at once, so the probe's wait4() sees
// the peak memory of the program up to its first frame.
#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <ctime>

namespace {

class FirstPaint final : public QObject {
public:
    explicit FirstPaint(int fd) : fd_(fd) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!seen_ && event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->window()->isVisible()) {
            seen_ = true;
            QMetaObject::invokeMethod(this, [this] { report(); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    void report() const {
        timespec now{};
        ::clock_gettime(CLOCK_MONOTONIC, &now);
        const std::int64_t ns = std::int64_t{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
        const bool written = ::write(fd_, &ns, sizeof ns) == static_cast<ssize_t>(sizeof ns);
        ::_exit(written ? 0 : 3);
    }

    int fd_;
    bool seen_ = false;
};

void installFirstPaintWatch() {
    const char* fd = std::getenv("DORVANE_BENCH_PAINT_FD");
    if (fd == nullptr || *fd == '\0') return;
    QCoreApplication* app = QCoreApplication::instance();
    app->installEventFilter(new FirstPaint(std::atoi(fd)));
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(installFirstPaintWatch)
