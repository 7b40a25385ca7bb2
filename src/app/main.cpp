#include "app/solvane_application.h"
#include "app/startup.h"

#include <QLocale>

int main(int argc, char **argv) {
    SolvaneApplication app(argc, argv);
    // Figures follow the user's number format; a machine with no locale set
    // at all gets the Brazilian one the study's readers expect.
    if (QLocale::system().language() == QLocale::C)
        QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    return Startup::run();
}
