#include "base/data/database.h"

#include "base/data/access_dialect.h"
#include "base/data/app_error.h"
#include "base/data/engine_error.h"
#include "base/data/portuguese_collation.h"
#include "base/data/scope_guard.h"
#include "base/data/system_error.h"

#include <QFile>
#include <QThread>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Len(text): number of characters; Len(null) is null.
void lenFunction(sqlite3_context *ctx, int, sqlite3_value **argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(argv[0]));
    const int bytes = sqlite3_value_bytes(argv[0]);
    sqlite3_result_int(ctx, static_cast<int>(QString::fromUtf8(text, bytes).size()));
}

// Left(text, n): the first n characters; null in, null out.
void leftFunction(sqlite3_context *ctx, int, sqlite3_value **argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(argv[0]));
    const int bytes = sqlite3_value_bytes(argv[0]);
    const int n = sqlite3_value_int(argv[1]);
    const QByteArray cut = QString::fromUtf8(text, bytes).left(qMax(0, n)).toUtf8();
    sqlite3_result_text(ctx, cut.constData(), static_cast<int>(cut.size()), SQLITE_TRANSIENT);
}

int collate(void *, int n1, const void *s1, int n2, const void *s2) {
    return PortugueseCollation::compare(std::string_view(static_cast<const char *>(s1), n1),
                                        std::string_view(static_cast<const char *>(s2), n2));
}

QString openError(const QString &path, const QString &reason) {
    return QStringLiteral("Não foi possível abrir o estudo \"%1\": %2").arg(path, reason);
}

// The engine reports a missing or unreadable file only vaguely ("unable to
// open database file"), so the file is looked at first. Opening without
// waiting keeps a named pipe from holding the start-up.
void checkReadableFile(const QString &path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        throw AppError(openError(path, SystemError::text(errno)));
    struct stat info {};
    const int statResult = ::fstat(fd, &info);
    ::close(fd);
    if (statResult == 0 && S_ISDIR(info.st_mode))
        throw AppError(openError(path, SystemError::text(EISDIR)));
    if (statResult != 0 || !S_ISREG(info.st_mode))
        throw AppError(openError(path, QStringLiteral("não é um arquivo comum")));
}

// SQLite reads the file lazily: this first look at the schema tells a
// database from any other file, and a study from a database of some other
// program (or an empty file, which opens as an empty database).
bool hasTopicTable(sqlite3 *db, const QString &path) {
    static const char statement[] =
        "select 1 from sqlite_master where type in ('table', 'view') and name = 'Nivel_Informacao' collate nocase";
    sqlite3_stmt *stmt = nullptr;
    int rc = sqlite3_prepare_v2(db, statement, -1, &stmt, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_step(stmt);
    sqlite3_finalize(stmt);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        throw AppError(openError(path, EngineError::text(db, rc)));
    return rc == SQLITE_ROW;
}

} // namespace

Database::~Database() { close(); }

void Database::setConnected(bool connected) {
    if (connected && !m_db)
        open();
    else if (!connected)
        close();
}

sqlite3 *Database::handle() const {
    if (!m_db)
        throw AppError(QStringLiteral("O banco de dados não está conectado."));
    return m_db;
}

void Database::open() {
    checkReadableFile(m_path);

    sqlite3 *db = nullptr;
    const QByteArray file = QFile::encodeName(m_path);
    // The connection is used by the user-interface thread alone: without the
    // engine's own locking around every call, reading a large result's
    // cells costs a tenth less.
    const int rc = sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    ScopeGuard closeOnError([&db] { sqlite3_close(db); });
    if (rc != SQLITE_OK)
        throw AppError(openError(m_path, EngineError::text(db, rc)));
    if (!hasTopicTable(db, m_path))
        throw AppError(openError(m_path, QStringLiteral("o arquivo não é um estudo (não tem a tabela de tópicos "
                                                        "Nivel_Informacao)")));
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_function(db, "Len", 1, flags, nullptr, lenFunction, nullptr, nullptr);
    sqlite3_create_function(db, AccessDialect::kLeftFunction, 2, flags, nullptr, leftFunction, nullptr, nullptr);
    sqlite3_create_collation(db, PortugueseCollation::kName, SQLITE_UTF8, nullptr, collate);
    // A large table is sorted in pieces that the engine's helper threads
    // sort side by side: the table of a study a hundred times the sample's
    // size shows a sixth sooner on two cores.
    sqlite3_limit(db, SQLITE_LIMIT_WORKER_THREADS, std::max(0, QThread::idealThreadCount() - 1));
    closeOnError.dismiss();
    m_db = db;
}

void Database::close() {
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}
