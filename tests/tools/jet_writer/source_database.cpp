#include "source_database.h"

#include "base/data/app_error.h"
#include "base/data/engine_error.h"

#include <sqlite3.h>

namespace {

// A prepared statement finalized on every way out.
class Statement {
  public:
    Statement(sqlite3 *db, const QString &sql, int *resultCode) {
        const QByteArray text = sql.toUtf8();
        *resultCode = sqlite3_prepare_v2(db, text.constData(), int(text.size()), &m_statement, nullptr);
    }
    ~Statement() { sqlite3_finalize(m_statement); }
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    sqlite3_stmt *get() const { return m_statement; }
    QString text(int column) const {
        return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(m_statement, column)));
    }

  private:
    sqlite3_stmt *m_statement = nullptr;
};

} // namespace

SourceDatabase::SourceDatabase(const QString &path) : m_path(path) {
    const QByteArray file = path.toUtf8();
    try {
        int rc = sqlite3_open_v2(file.constData(), &m_db, SQLITE_OPEN_READONLY, nullptr);
        // Opening is lazy: the first read tells whether the file is a
        // database. It starts the one read transaction of every pass, so that
        // the column types chosen in the first hold for the rows read later.
        if (rc == SQLITE_OK)
            rc = sqlite3_exec(m_db, "BEGIN; SELECT count(*) FROM sqlite_master;", nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK)
            fail(QStringLiteral("abrir o banco de dados"), rc);
    } catch (...) {
        // A failed open still hands back a connection to close.
        sqlite3_close(m_db);
        throw;
    }
}

SourceDatabase::~SourceDatabase() { sqlite3_close(m_db); }

QStringList SourceDatabase::tables() const {
    int rc = SQLITE_OK;
    Statement list(m_db,
                   QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' "
                                  "AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY rowid"),
                   &rc);
    QStringList names;
    while (rc == SQLITE_OK) {
        const int step = sqlite3_step(list.get());
        if (step == SQLITE_DONE)
            return names;
        if (step != SQLITE_ROW)
            rc = step;
        else
            names << list.text(0);
    }
    fail(QStringLiteral("listar as tabelas"), rc);
}

std::vector<SourceColumn> SourceDatabase::columns(const QString &table) const {
    const QString doing = QStringLiteral("ler as colunas da tabela \"%1\"").arg(table);
    std::vector<SourceColumn> columns;
    int rc = SQLITE_OK;
    {
        // Generated columns are values of the table too; the hidden columns
        // of a virtual table are not.
        Statement info(m_db, QStringLiteral("PRAGMA table_xinfo(%1)").arg(quoted(table)), &rc);
        while (rc == SQLITE_OK) {
            const int step = sqlite3_step(info.get());
            if (step == SQLITE_DONE)
                break;
            if (step != SQLITE_ROW) {
                rc = step;
                break;
            }
            if (sqlite3_column_int(info.get(), 6) == 1)
                continue;
            SourceColumn column;
            column.name = info.text(1);
            column.declaredType = info.text(2);
            columns.push_back(column);
        }
    }
    if (rc != SQLITE_OK)
        fail(doing, rc);

    // One pass over the table gathers, for every column, what the choice of
    // its Jet type depends on.
    QStringList aggregates;
    for (const SourceColumn &column : columns) {
        const QString c = quoted(column.name);
        aggregates << QStringLiteral("min(CASE WHEN typeof(%1) = 'integer' THEN %1 END)").arg(c)
                   << QStringLiteral("max(CASE WHEN typeof(%1) = 'integer' THEN %1 END)").arg(c)
                   << QStringLiteral("count(CASE WHEN typeof(%1) = 'integer' THEN 1 END)").arg(c)
                   << QStringLiteral("count(CASE WHEN typeof(%1) = 'real' THEN 1 END)").arg(c)
                   << QStringLiteral("max(CASE WHEN typeof(%1) = 'text' THEN length(%1) END)").arg(c);
    }
    if (columns.empty())
        return columns;
    Statement pass(m_db, QStringLiteral("SELECT %1 FROM %2").arg(aggregates.join(QStringLiteral(", ")), quoted(table)),
                   &rc);
    if (rc == SQLITE_OK && sqlite3_step(pass.get()) != SQLITE_ROW)
        rc = sqlite3_errcode(m_db);
    if (rc != SQLITE_OK)
        fail(doing, rc);
    for (size_t i = 0; i < columns.size(); ++i) {
        const int first = int(i) * 5;
        columns[i].minInteger = sqlite3_column_int64(pass.get(), first);
        columns[i].maxInteger = sqlite3_column_int64(pass.get(), first + 1);
        columns[i].integerCount = sqlite3_column_int64(pass.get(), first + 2);
        columns[i].realCount = sqlite3_column_int64(pass.get(), first + 3);
        columns[i].maxTextLength = sqlite3_column_int64(pass.get(), first + 4);
    }
    return columns;
}

QString SourceDatabase::quoted(const QString &name) {
    QString escaped = name;
    escaped.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

void SourceDatabase::fail(const QString &doing, int resultCode) const {
    throw AppError(
        QStringLiteral("Não foi possível %1 em \"%2\": %3").arg(doing, m_path, EngineError::text(m_db, resultCode)));
}
