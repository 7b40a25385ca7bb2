// solvane-export-planilha: solvane-export with its workbooks of the table.
// A workbook needs Qt's pictures for its logo, but no graphical application:
// no display platform, no fonts. It takes the same arguments and writes the
// same delimited text; a map or chart is refused (solvane-export-desenho
// draws those).
#include "base/export/command_process.h"
#include "core/export/workbook_command.h"

#include <QCoreApplication>

int main(int argc, char **argv) {
    CommandProcess::prepare();
    QCoreApplication app(argc, argv);
    return CommandProcess::runDrawing(app, &WorkbookCommand::write);
}
