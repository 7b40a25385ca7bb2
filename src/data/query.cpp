#include "query.h"

#include "access_dialect.h"
#include "app_error.h"
#include "database.h"
#include "engine_error.h"
#include "scope_guard.h"

#include <QRegularExpression>
#include <sqlite3.h>

namespace {
const QVariant &nullValue() {
    static const QVariant null;
    return null;
}
} // namespace

QString Field::name() const { return m_query->m_columns[m_column].name; }
QVariant Field::value() const { return m_query->current(m_column); }
bool Field::isNull() const { return m_query->current(m_column).isNull(); }

QString Field::asString() const {
    const QVariant &v = m_query->current(m_column);
    return v.isNull() ? QString() : v.toString();
}

qint64 Field::asInteger() const {
    const QVariant &v = m_query->current(m_column);
    if (v.isNull())
        return 0;
    if (v.typeId() == QMetaType::Double)
        return qRound64(v.toDouble());
    return v.toLongLong();
}

double Field::asFloat() const {
    const QVariant &v = m_query->current(m_column);
    return v.isNull() ? 0.0 : v.toDouble();
}

QStringList Field::asLines() const {
    const QString text = asString();
    if (text.isEmpty())
        return {};
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    QStringList lines = text.split(lineBreak);
    // A text ending in a line break has no empty last line.
    if (lines.size() > 1 && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

int Field::displayWidth() const { return m_query->m_columns[m_column].displayWidth; }
void Field::setDisplayWidth(int width) { m_query->m_columns[m_column].displayWidth = width; }
QString Field::displayFormat() const { return m_query->m_columns[m_column].displayFormat; }
void Field::setDisplayFormat(const QString &format) { m_query->m_columns[m_column].displayFormat = format; }
bool Field::isVisible() const { return m_query->m_columns[m_column].visible; }
void Field::setVisible(bool visible) { m_query->m_columns[m_column].visible = visible; }

Query::Query(Database &database, QObject *parent) : QObject(parent), m_database(database) {}

Query::Query(Database &database, const QString &name, const QStringList &lines, QObject *parent)
    : QObject(parent), m_database(database), m_lines(lines) {
    setObjectName(name);
}

void Query::open() {
    close();
    const QByteArray text = AccessDialect::toSqlite(statement()).toUtf8();
    sqlite3 *db = m_database.handle();
    sqlite3_stmt *stmt = nullptr;
    const int prepared = sqlite3_prepare_v2(db, text.constData(), static_cast<int>(text.size()), &stmt, nullptr);
    if (prepared != SQLITE_OK)
        fail(db, prepared);
    ScopeGuard finalize([stmt] { sqlite3_finalize(stmt); });

    const int columns = sqlite3_column_count(stmt);
    std::vector<Column> names(columns);
    for (int c = 0; c < columns; ++c)
        names[c].name = QString::fromUtf8(sqlite3_column_name(stmt, c));

    QList<QVariant> cells;
    // Texts repeat down a column (a result sorted by region holds each
    // region's name on many rows): a text equal to the one above shares its
    // string instead of decoding it again.
    std::vector<QByteArray> lastBytes(columns);
    std::vector<QString> lastText(columns);
    int rows = 0;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        for (int c = 0; c < columns; ++c) {
            switch (sqlite3_column_type(stmt, c)) {
            case SQLITE_INTEGER:
                cells.emplace_back(static_cast<qint64>(sqlite3_column_int64(stmt, c)));
                break;
            case SQLITE_FLOAT:
                cells.emplace_back(sqlite3_column_double(stmt, c));
                break;
            case SQLITE_NULL:
                cells.emplace_back();
                break;
            default: {
                const char *bytes = reinterpret_cast<const char *>(sqlite3_column_text(stmt, c));
                const QByteArrayView view(bytes, sqlite3_column_bytes(stmt, c));
                if (lastBytes[c].isNull() || view != lastBytes[c]) {
                    lastBytes[c] = view.toByteArray();
                    lastText[c] = QString::fromUtf8(view);
                }
                cells.emplace_back(lastText[c]);
            }
            }
        }
        ++rows;
    }
    if (rc != SQLITE_DONE)
        fail(db, rc);

    m_columns = std::move(names);
    m_cells = std::move(cells);
    m_rowCount = rows;
    m_active = true;
    first();
    emit afterOpen();
}

void Query::fail(sqlite3 *db, int resultCode) const {
    throw AppError(QStringLiteral("Não foi possível %1 do estudo \"%2\": %3")
                       .arg(m_activity, m_database.path(), EngineError::text(db, resultCode)));
}

void Query::close() {
    if (!m_active)
        return;
    m_active = false;
    m_columns.clear();
    m_cells.clear();
    m_rowCount = 0;
    m_row = 0;
    m_eof = m_bof = true;
}

void Query::first() {
    m_row = 0;
    m_bof = true;
    m_eof = m_rowCount == 0;
}

void Query::next() {
    if (m_row + 1 < m_rowCount) {
        ++m_row;
        m_bof = false;
    } else {
        m_eof = true;
    }
}

void Query::prior() {
    if (m_row > 0) {
        --m_row;
        m_eof = false;
    } else {
        m_bof = true;
    }
}

int Query::fieldIndex(const QString &name) const {
    for (size_t c = 0; c < m_columns.size(); ++c)
        if (m_columns[c].name.compare(name, Qt::CaseInsensitive) == 0)
            return static_cast<int>(c);
    return -1;
}

Field Query::fieldByName(const QString &name) {
    const int column = fieldIndex(name);
    if (column < 0)
        throw AppError(QStringLiteral("Field '%1' not found").arg(name));
    return Field(this, column);
}

const QVariant &Query::value(int row, int column) const {
    if (row < 0 || row >= m_rowCount || column < 0 || column >= fieldCount())
        return nullValue();
    return m_cells[static_cast<qsizetype>(row) * fieldCount() + column];
}

const QVariant &Query::current(int column) const { return value(m_row, column); }
