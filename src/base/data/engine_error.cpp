#include "base/data/engine_error.h"

#include "base/data/system_error.h"

#include <QRegularExpression>
#include <cerrno>
#include <sqlite3.h>

namespace EngineError {
namespace {

// The engine names what a statement lacks as "no such table: X" or "no such
// column: X"; the name is kept, the words are ours.
QString missingObject(const QString &message) {
    static const QRegularExpression form(QStringLiteral("^no such (table|column): (.+)$"));
    const QRegularExpressionMatch match = form.match(message);
    if (!match.hasMatch())
        return message;
    const bool table = match.captured(1) == QLatin1String("table");
    return (table ? QStringLiteral("falta a tabela %1") : QStringLiteral("falta a coluna %1")).arg(match.captured(2));
}

} // namespace

QString text(sqlite3 *db, int resultCode) {
    switch (resultCode & 0xff) {
    case SQLITE_NOTADB:
        return QStringLiteral("o arquivo não é um banco de dados");
    case SQLITE_CORRUPT:
        return QStringLiteral("o arquivo está danificado");
    case SQLITE_FULL:
        return SystemError::text(ENOSPC);
    case SQLITE_NOMEM:
        return SystemError::text(ENOMEM);
    case SQLITE_READONLY:
        return QStringLiteral("o estudo é aberto só para leitura");
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return SystemError::text(EACCES);
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("o arquivo está bloqueado por outro programa");
    case SQLITE_CANTOPEN:
    case SQLITE_IOERR:
        if (const int error = db ? sqlite3_system_errno(db) : 0)
            return SystemError::text(error);
        break;
    case SQLITE_ERROR:
        if (db)
            return missingObject(QString::fromUtf8(sqlite3_errmsg(db)));
        break;
    }
    return QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(resultCode));
}

} // namespace EngineError
