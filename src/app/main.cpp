#include "app/solvane_application.h"
#include "app/startup.h"
#include "data/figure_locale.h"

int main(int argc, char **argv) {
    SolvaneApplication app(argc, argv);
    QLocale::setDefault(FigureLocale::forFigures());
    return Startup::run();
}
