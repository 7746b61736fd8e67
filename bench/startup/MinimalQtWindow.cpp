// The floor for a Qt Widgets program: one window of the main window's client
// size, shown, and the event loop. The start-up probe measures the shell
// against it.
//   minimal-qt-window          an empty window: Qt's own start
//   minimal-qt-window --text   one line of text instead, so the font system
//                              (fontconfig, the first glyphs) is started too
#include <QApplication>
#include <QLabel>
#include <QWidget>

#include <cstring>
#include <memory>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const bool withText = argc > 1 && std::strcmp(argv[1], "--text") == 0;
    const std::unique_ptr<QWidget> window =
        withText ? std::make_unique<QLabel>(QStringLiteral("Dorvane Shell")) : std::make_unique<QWidget>();
    window->setWindowTitle(QStringLiteral("Minimal Qt Window"));
    window->setFixedSize(409, 183);
    window->show();
    return QApplication::exec();
}
