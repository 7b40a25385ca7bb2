// solvane-export: the indicator table of a topic as delimited text, from a
// shell. It reads the study beside the executable, like the program. A
// workbook is written by solvane-export-planilha, a map or chart drawn by
// solvane-export-desenho, run with the same arguments while this process
// waits for it.
#include "base/export/command_process.h"

#include <QCoreApplication>

int main(int argc, char **argv) {
    CommandProcess::prepare();
    QCoreApplication app(argc, argv);
    switch (ExportCommand::drawing(app.arguments().mid(1))) {
    case ExportCommand::Drawing::kPictures:
        return CommandProcess::handOver(argv, CommandProcess::kDrawingProgram);
    case ExportCommand::Drawing::kWorkbook:
        return CommandProcess::handOver(argv, CommandProcess::kWorkbookProgram);
    case ExportCommand::Drawing::kNothing:
        break;
    }
    return CommandProcess::run(app, nullptr);
}
