#include "base/data/figure_locale.h"
#include "base/data/safe_file.h"
#include "ui/app/solvane_application.h"
#include "ui/app/startup.h"

int main(int argc, char **argv) {
    SolvaneApplication app(argc, argv);
    QLocale::setDefault(FigureLocale::forFigures());
    // The study and the shipped data are never a place to save into.
    SafeFile::protectProgramInputs();
    return Startup::run();
}
