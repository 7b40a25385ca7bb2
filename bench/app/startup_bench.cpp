#include "base/data/program_folder.h"
#include "ui/app/main_frm.h"
#include "ui/extras/sobre_frm.h"

#include <QApplication>
#include <QFileInfo>
#include <benchmark/benchmark.h>

// From nothing to the main window shown with its topic tree loaded, on the
// study in the build's program folder: the splash painted, the main window
// built (connection, top level, the two start-up expansions, the territory
// lists), the splash freed and the window shown and painted.
static void StartUpToMainWindowShown(benchmark::State &state) {
    ProgramFolder::setPath(QStringLiteral(SOLVANE_PROGRAM_DIR));
    if (!QFileInfo::exists(ProgramFolder::studyFile())) {
        state.SkipWithError("no study in the build's program folder");
        return;
    }
    for (auto _ : state) {
        auto *splash = new TSobre_Frm;
        splash->show();
        splash->repaint();
        QApplication::processEvents();
        auto *window = new TMain_Frm;
        delete splash;
        window->resize(1024, 768);
        window->showMaximized();
        window->repaint();
        QApplication::processEvents();

        state.PauseTiming();
        delete window;
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(StartUpToMainWindowShown)->Unit(benchmark::kMillisecond);
