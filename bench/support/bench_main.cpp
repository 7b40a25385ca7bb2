#include "ui/app/solvane_application.h"

#include <benchmark/benchmark.h>

// One main for every benchmark program: headless, under the program's own
// application object (windows, pictures and text drawing all need one).
int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    SolvaneApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
