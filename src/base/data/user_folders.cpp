#include "base/data/user_folders.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <unistd.h>

namespace {
// Named here rather than taken from the application's name: the exporter
// and the drawing program must find the window's files.
const QString kProgram = QStringLiteral("Solvane");
} // namespace

namespace UserFolders {

QString dataPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QLatin1Char('/') + kProgram +
           QLatin1Char('/');
}

QString exportFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        return QString();
    const QString folder = documents + QLatin1Char('/') + kProgram;
    return QDir().mkpath(folder) ? folder : QString();
}

bool writable(const QString &folder) {
    return ::access(QFile::encodeName(folder).constData(), W_OK | X_OK) == 0;
}

} // namespace UserFolders
