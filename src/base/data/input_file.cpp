#include "base/data/input_file.h"

#include "base/data/app_error.h"
#include "base/data/scope_guard.h"
#include "base/data/system_error.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Why a file of this mode is no ordinary file; empty for an ordinary one.
QString kindOf(mode_t mode) {
    if (S_ISREG(mode))
        return QString();
    if (S_ISDIR(mode))
        return SystemError::text(EISDIR);
    const char *kind = S_ISFIFO(mode)   ? "um tubo (FIFO)"
                       : S_ISSOCK(mode) ? "um soquete"
                       : S_ISCHR(mode)  ? "um dispositivo de caracteres"
                       : S_ISBLK(mode)  ? "um dispositivo de blocos"
                                        : "um arquivo especial";
    return QStringLiteral("é %1, não um arquivo comum").arg(QString::fromUtf8(kind));
}

} // namespace

namespace InputFile {

QString notRegular(const QString &path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return QString();
    return kindOf(info.st_mode);
}

QByteArray read(const QString &path, const QString &doing) {
    const auto fail = [&](const QString &why) { return AppError(QStringLiteral("%1: %2").arg(doing, why)); };
    if (const QString why = notRegular(path); !why.isEmpty())
        throw fail(why);
    // Opened without blocking and checked again once open: a pipe put in the
    // file's place since its status was read is refused, not waited for.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        throw fail(SystemError::text(errno));
    const ScopeGuard closeFile([fd] { ::close(fd); });
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        throw fail(SystemError::text(errno));
    if (const QString why = kindOf(info.st_mode); !why.isEmpty())
        throw fail(why);
    try {
        QByteArray bytes;
        bytes.reserve(static_cast<qsizetype>(info.st_size));
        char chunk[65536];
        for (;;) {
            const ssize_t n = ::read(fd, chunk, sizeof chunk);
            if (n == 0)
                return bytes;
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                throw fail(SystemError::text(errno));
            }
            bytes.append(chunk, n);
        }
    } catch (const std::bad_alloc &) {
        throw fail(SystemError::text(ENOMEM));
    }
}

} // namespace InputFile
