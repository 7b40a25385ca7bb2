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
    // The logo is a PNG file and the workbook holds PNG pictures, both of
    // which Qt Gui reads and writes itself. Without a plugin folder, reading
    // a picture does not load every image plugin (and the libraries they
    // need) to ask each whether it knows the file.
    QCoreApplication::setLibraryPaths({});
    return CommandProcess::runDrawing(app, &WorkbookCommand::write);
}
