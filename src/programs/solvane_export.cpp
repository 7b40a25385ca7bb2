// solvane-export: the indicator table of a topic as delimited text, from a
// shell. It reads the study beside the executable, like the program. A map,
// chart or workbook is drawn by solvane-export-desenho, run with the same
// arguments while this process waits for it.
#include "base/export/command_process.h"

#include <QCoreApplication>

int main(int argc, char **argv) {
    CommandProcess::prepare();
    QCoreApplication app(argc, argv);
    if (ExportCommand::draws(app.arguments().mid(1)))
        return CommandProcess::handOver(argv);
    return CommandProcess::run(app, nullptr);
}
