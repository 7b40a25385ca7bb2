#include "base/data/program_folder.h"

#include <QCoreApplication>
#include <QDir>

namespace {
QString &overridden() {
    static QString folder;
    return folder;
}

QString &studyOverride() {
    static QString file;
    return file;
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
    return programsPath();
}

QString programsPath() { return withSlash(QCoreApplication::applicationDirPath()); }

void setPath(const QString &folder) {
    overridden() = folder.isEmpty() ? QString() : withSlash(QDir(folder).absolutePath());
}

QString file(const QString &relativePath) { return path() + relativePath; }

QString studyFile() {
    return studyOverride().isEmpty() ? file(QStringLiteral("Dados/Solvane.db")) : studyOverride();
}

void setStudyFile(const QString &path) { studyOverride() = path.isEmpty() ? QString() : QDir(path).absolutePath(); }

} // namespace ProgramFolder
