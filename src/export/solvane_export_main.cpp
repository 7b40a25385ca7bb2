// solvane-export: the indicator table of a topic as delimited text, from a
// shell. It reads the study beside the executable, like the program.
#include "export/export_command.h"

#include <QCoreApplication>
#include <QFile>

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QFile out, err;
    if (!out.open(stdout, QIODevice::WriteOnly) || !err.open(stderr, QIODevice::WriteOnly))
        return ExportCommand::kDatabaseError;
    return ExportCommand::execute(app.arguments().mid(1), out, err);
}
