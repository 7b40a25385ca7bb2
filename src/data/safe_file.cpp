#include "safe_file.h"

#include "app_error.h"

#include <QSaveFile>

namespace SafeFile {

void write(const QString &path, const QByteArray &contents) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw AppError(QStringLiteral("Não foi possível criar o arquivo %1: %2").arg(path, file.errorString()));
    if (file.write(contents) != contents.size() || !file.commit())
        throw AppError(QStringLiteral("Não foi possível gravar o arquivo %1: %2").arg(path, file.errorString()));
}

} // namespace SafeFile
