#include "base/data/program_folder.h"

#include <QCoreApplication>
#include <QDir>

namespace {
QString &overridden() {
    static QString folder;
    return folder;
}

QString withSlash(QString folder) {
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}
} // namespace

namespace ProgramFolder {

QString path() {
    if (!overridden().isEmpty())
        return overridden();
    return withSlash(QCoreApplication::applicationDirPath());
}

void setPath(const QString &folder) {
    overridden() = folder.isEmpty() ? QString() : withSlash(QDir(folder).absolutePath());
}

QString file(const QString &relativePath) { return path() + relativePath; }

QString studyFile() { return file(QStringLiteral("Dados/Solvane.db")); }

} // namespace ProgramFolder
