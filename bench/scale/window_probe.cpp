// Measures the main window running one topic grouped by municipality on the
// study of a given folder, from the run's start to its first painted screen.
// Prints the wall and CPU milliseconds and the result's row count; the
// caller reads the process's peak memory from the kernel.
#include "base/data/figure_locale.h"
#include "base/data/program_folder.h"
#include "base/selection/grouping.h"
#include "base/table/current_result.h"
#include "base/table/result_table.h"
#include "ui/app/main_frm.h"
#include "ui/app/solvane_application.h"
#include "ui/table/data_page.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <cstdio>
#include <ctime>

namespace {

double cpuMilliseconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    SolvaneApplication app(argc, argv);
    QLocale::setDefault(FigureLocale::forFigures());
    if (argc != 3) {
        std::fprintf(stderr, "usage: window_probe <study folder> <topic>\n");
        return 2;
    }
    ProgramFolder::setPath(QString::fromLocal8Bit(argv[1]));
    TMain_Frm window;
    window.resize(1600, 1000);
    window.show();
    QApplication::processEvents();
    window.findChild<QComboBox *>(QStringLiteral("cbAgrupar"))->setCurrentIndex(Grouping::Municipio);

    QElapsedTimer wall;
    const double cpu = cpuMilliseconds();
    wall.start();
    window.dataPage().MontaDados(QString::fromLocal8Bit(argv[2]));
    window.repaint();
    QApplication::processEvents();
    std::printf("%.1f %.1f %d\n", static_cast<double>(wall.nsecsElapsed()) / 1e6, cpuMilliseconds() - cpu,
                window.dataPage().result().cdsDados().recordCount());
    return 0;
}
