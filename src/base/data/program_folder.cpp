#include "base/data/program_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

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

// In the build tree the study's folders are beside the programs; an
// installed program has none beside it and finds the study and its helper
// programs at their installed places relative to its own folder, wherever
// the tree was installed.
bool studyBesidePrograms() { return QFileInfo(ProgramFolder::programsPath() + QStringLiteral("Dados")).isDir(); }

QString installedFolder(const char *fromPrograms) {
    return withSlash(QDir::cleanPath(ProgramFolder::programsPath() + QString::fromUtf8(fromPrograms)));
}
} // namespace

namespace ProgramFolder {

QString path() {
    if (!overridden().isEmpty())
        return overridden();
    return studyBesidePrograms() ? programsPath() : installedFolder(SOLVANE_STUDY_FROM_PROGRAMS);
}

QString programsPath() {
    const QString own = QDir::cleanPath(QCoreApplication::applicationDirPath());
    // The drawing program installed in the helpers' folder works for the
    // programs of the tree it was installed in: it finds the study and
    // solvane-import from their folder, as the exporter that runs it does.
    const QString programs = QDir::cleanPath(own + QStringLiteral("/" SOLVANE_PROGRAMS_FROM_HELPERS));
    if (QDir::cleanPath(programs + QStringLiteral("/" SOLVANE_HELPERS_FROM_PROGRAMS)) == own)
        return withSlash(programs);
    return withSlash(own);
}

QString helperProgram(const QString &name) {
    // A helper copied beside its caller is used wherever that is.
    const QString beside = programsPath() + name;
    if (QFileInfo::exists(beside) || studyBesidePrograms())
        return beside;
    return installedFolder(SOLVANE_HELPERS_FROM_PROGRAMS) + name;
}

QString helpFile() {
    const QString name = QStringLiteral("Solvane_AJUDA.html");
    if (studyBesidePrograms())
        return programsPath() + QStringLiteral("Ajuda/") + name;
    return installedFolder(SOLVANE_HELP_FROM_PROGRAMS) + name;
}

void setPath(const QString &folder) {
    overridden() = folder.isEmpty() ? QString() : withSlash(QDir(folder).absolutePath());
}

QString file(const QString &relativePath) { return path() + relativePath; }

QString studyFile() {
    return studyOverride().isEmpty() ? file(QStringLiteral("Dados/Solvane.db")) : studyOverride();
}

void setStudyFile(const QString &path) { studyOverride() = path.isEmpty() ? QString() : QDir(path).absolutePath(); }

} // namespace ProgramFolder
