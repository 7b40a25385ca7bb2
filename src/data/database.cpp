#include "database.h"

#include "access_dialect.h"
#include "app_error.h"
#include "portuguese_collation.h"

#include <QFileInfo>
#include <sqlite3.h>

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
    return QStringLiteral("Não foi possível abrir o banco de dados \"%1\": %2").arg(path, reason);
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
    const QFileInfo info(m_path);
    if (!info.exists())
        throw AppError(openError(m_path, QStringLiteral("arquivo não encontrado")));
    if (!info.isFile())
        throw AppError(openError(m_path, QStringLiteral("não é um arquivo")));

    sqlite3 *db = nullptr;
    const QByteArray file = m_path.toUtf8();
    if (sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        const QString reason = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("sem memória");
        sqlite3_close(db);
        throw AppError(openError(m_path, reason));
    }
    // SQLite reads the file lazily: a first look at the schema tells a
    // database from any other file.
    char *message = nullptr;
    if (sqlite3_exec(db, "select count(*) from sqlite_master", nullptr, nullptr, &message) != SQLITE_OK) {
        const QString reason = QString::fromUtf8(message ? message : sqlite3_errmsg(db));
        sqlite3_free(message);
        sqlite3_close(db);
        throw AppError(openError(m_path, reason));
    }
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_function(db, "Len", 1, flags, nullptr, lenFunction, nullptr, nullptr);
    sqlite3_create_function(db, AccessDialect::kLeftFunction, 2, flags, nullptr, leftFunction, nullptr, nullptr);
    sqlite3_create_collation(db, PortugueseCollation::kName, SQLITE_UTF8, nullptr, collate);
    m_db = db;
}

void Database::close() {
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}
