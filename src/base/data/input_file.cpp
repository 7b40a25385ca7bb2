#include "base/data/input_file.h"

#include "base/data/system_error.h"

#include <QFile>

#include <cerrno>
#include <sys/stat.h>

namespace InputFile {

QString notRegular(const QString &path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 || S_ISREG(info.st_mode))
        return QString();
    if (S_ISDIR(info.st_mode))
        return SystemError::text(EISDIR);
    const char *kind = S_ISFIFO(info.st_mode)   ? "um tubo (FIFO)"
                       : S_ISSOCK(info.st_mode) ? "um soquete"
                       : S_ISCHR(info.st_mode)  ? "um dispositivo de caracteres"
                       : S_ISBLK(info.st_mode)  ? "um dispositivo de blocos"
                                                : "um arquivo especial";
    return QStringLiteral("é %1, não um arquivo comum").arg(QString::fromUtf8(kind));
}

} // namespace InputFile
