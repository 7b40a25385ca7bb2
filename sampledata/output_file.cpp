#include "output_file.h"

#include "base/data/app_error.h"
#include "base/data/safe_file.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace OutputFile {

void makeFolder(const QString &path) {
    if (!QDir().mkpath(path))
        throw AppError(QStringLiteral("Não foi possível criar a pasta %1.").arg(path));
}

void write(const QString &path, const QByteArray &contents) {
    makeFolder(QFileInfo(path).absolutePath());
    SafeFile::write(path, contents);
}

void replace(const QString &temporaryPath, const QString &path) {
    // rename() replaces the target in one step; QFile::rename refuses an
    // existing target.
    if (std::rename(QFile::encodeName(temporaryPath).constData(), QFile::encodeName(path).constData()) != 0)
        throw AppError(QStringLiteral("Não foi possível substituir %1: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno))));
}

} // namespace OutputFile
