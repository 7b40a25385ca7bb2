// solvane-import: the published study (an Access file) as the SQLite study
// the program reads. See ImportCommand.
#include "base/data/safe_file.h"
#include "import/import_command.h"

#include <QCoreApplication>

int main(int argc, char **argv) {
    SafeFile::failWritesBeyondSizeLimit();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Solvane"));
    return ImportCommand::run(app.arguments().mid(1));
}
