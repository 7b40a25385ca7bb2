// The floor of the window's start-up: a bare Qt Widgets program showing a
// maximised, empty main window with the program's title, placed on the
// screen's free area as the program places its own.
#include <QApplication>
#include <QMainWindow>
#include <QScreen>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Solvane"));
    if (const QScreen *screen = window.screen())
        window.setGeometry(screen->availableGeometry());
    window.showMaximized();
    return QApplication::exec();
}
