#include "solvane_application.h"

#include <QLabel>
#include <QMainWindow>

int main(int argc, char **argv) {
    SolvaneApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Solvane"));
    window.setCentralWidget(new QLabel(QStringLiteral("Solvane"), &window));
    window.showMaximized();
    return app.exec();
}
