#include "row_cursor.h"

#include "source_database.h"

#include "base/data/app_error.h"
#include "base/data/engine_error.h"

#include <sqlite3.h>

RowCursor::RowCursor(sqlite3 *db, const QString &sourcePath, const QString &table, const QStringList &columns)
    : m_db(db), m_sourcePath(sourcePath), m_table(table) {
    QStringList quoted;
    for (const QString &column : columns)
        quoted << SourceDatabase::quoted(column);
    const QByteArray sql = QStringLiteral("SELECT %1 FROM %2")
                               .arg(quoted.join(QStringLiteral(", ")), SourceDatabase::quoted(table))
                               .toUtf8();
    const int rc = sqlite3_prepare_v2(m_db, sql.constData(), int(sql.size()), &m_statement, nullptr);
    if (rc != SQLITE_OK)
        fail(rc);
    m_values.resize(size_t(sqlite3_column_count(m_statement)));
}

RowCursor::~RowCursor() { sqlite3_finalize(m_statement); }

bool RowCursor::next() {
    const int rc = sqlite3_step(m_statement);
    if (rc == SQLITE_DONE)
        return false;
    if (rc != SQLITE_ROW)
        fail(rc);
    for (int i = 0; i < int(m_values.size()); ++i) {
        SourceValue &value = m_values[size_t(i)];
        value.bytes.clear();
        switch (sqlite3_column_type(m_statement, i)) {
        case SQLITE_INTEGER:
            value.kind = SourceValue::Kind::Integer;
            value.integer = sqlite3_column_int64(m_statement, i);
            break;
        case SQLITE_FLOAT:
            value.kind = SourceValue::Kind::Real;
            value.real = sqlite3_column_double(m_statement, i);
            break;
        case SQLITE_TEXT: {
            value.kind = SourceValue::Kind::Text;
            // The length is asked after the text, as SQLite wants.
            const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_statement, i));
            value.bytes = QByteArray(text, sqlite3_column_bytes(m_statement, i));
            break;
        }
        case SQLITE_BLOB: {
            value.kind = SourceValue::Kind::Blob;
            const auto *blob = static_cast<const char *>(sqlite3_column_blob(m_statement, i));
            value.bytes = QByteArray(blob, sqlite3_column_bytes(m_statement, i));
            break;
        }
        default:
            value.kind = SourceValue::Kind::Null;
        }
    }
    return true;
}

void RowCursor::fail(int resultCode) const {
    throw AppError(QStringLiteral("Não foi possível ler a tabela \"%1\" de \"%2\": %3")
                       .arg(m_table, m_sourcePath, EngineError::text(m_db, resultCode)));
}
