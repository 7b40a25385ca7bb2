#include "sample_study_generator.h"

#include "base/data/app_error.h"

#include <QGuiApplication>
#include <cstdio>

// solvane-sampledata <npm packages folder> <program folder>
// Run by the build; writes the sample study beside the program.
int main(int argc, char **argv) {
    // Drawing text into pictures needs a GUI application, never a screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "uso: solvane-sampledata <pasta dos pacotes npm> <pasta do programa>\n");
        return 2;
    }
    try {
        const SampleStudyReport report = SampleStudyGenerator(args[1], args[2]).run();
        std::printf("Estudo de exemplo: %s\n", qPrintable(report.summary()));
    } catch (const AppError &error) {
        std::fprintf(stderr, "solvane-sampledata: %s\n", qPrintable(error.message()));
        return 1;
    }
    return 0;
}
