#include "programs/linux/QtStart.h"

#include <QStringList>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "programs/linux/CommandLine.h"
#include "programs/linux/DisplayCheck.h"

namespace linuxprogram {
namespace {

// While QApplication is being made, the platform's warnings are held: the
// first one is the reason when the platform then fails, and all are passed
// on when it does not.
struct Starting {
    QtMessageHandler previous = nullptr;
    QString reason;
    struct Held {
        QtMsgType type;
        QString text;
    };
    QList<Held> held;
};
// Qt's message handler is a plain function; this is set only while Qt starts.
Starting* starting = nullptr;

bool fromPlatform(const QMessageLogContext& context) {
    return context.category != nullptr && std::strncmp(context.category, "qt.qpa", 6) == 0;
}

void onMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        const QString reason = (starting->reason.isEmpty() ? text.section('\n', 0, 0) : starting->reason).trimmed();
        std::fprintf(stderr, "%s (%s)%s\n", NoDisplayPrefix, qPrintable(reason), NoDisplayAdvice);
        std::fflush(stderr);
        std::_Exit(ExitNoDisplay);
    }
    if (fromPlatform(context)) {
        if (starting->reason.isEmpty() && type != QtDebugMsg && type != QtInfoMsg) starting->reason = text;
        starting->held.push_back({type, QString::fromLatin1(context.category) + QStringLiteral(": ") + text});
        return;
    }
    if (starting->previous) starting->previous(type, context, text);
}

}  // namespace

std::unique_ptr<QApplication> startQt(int& argc, char** argv) {
    Starting start;
    starting = &start;
    start.previous = qInstallMessageHandler(onMessage);
    auto app = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(start.previous);
    starting = nullptr;
    for (const auto& message : start.held)
        if (message.type != QtDebugMsg) std::fprintf(stderr, "%s\n", qPrintable(message.text));
    return app;
}

}  // namespace linuxprogram
