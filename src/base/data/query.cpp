#include "base/data/query.h"

#include "base/data/access_dialect.h"
#include "base/data/app_error.h"
#include "base/data/database.h"
#include "base/data/engine_error.h"
#include "base/data/scope_guard.h"
#include "base/data/text_utils.h"

#include <QRegularExpression>
#include <sqlite3.h>

namespace {

// Whether a column declared with this type keeps numbers, by the engine's
// own rules for a column's type: such a column holds a text only when the
// text is no number at all.
bool declaredNumeric(const char *declared) {
    if (!declared)
        return false;
    const QByteArray type = QByteArray(declared).toUpper();
    if (type.contains("INT"))
        return true;
    if (type.contains("CHAR") || type.contains("CLOB") || type.contains("TEXT") || type.contains("BLOB") ||
        type.isEmpty())
        return false;
    return true;
}
} // namespace

QString Field::name() const { return m_query->m_columns[m_column].name; }
QVariant Field::value() const { return m_query->value(m_query->m_row, m_column); }
bool Field::isNull() const { return m_query->isNull(m_query->m_row, m_column); }
QString Field::asString() const { return m_query->asString(m_query->m_row, m_column); }
qint64 Field::asInteger() const { return m_query->asInteger(m_query->m_row, m_column); }
double Field::asFloat() const { return m_query->asFloat(m_query->m_row, m_column); }

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

// The statement being read, with what the decoding of its rows keeps from
// one row to the next.
struct Query::Reader {
    sqlite3_stmt *statement = nullptr;
    // Rows read forward keep one text per column: the current row's.
    bool forward = false;
    std::vector<bool> numeric;
    // Texts repeat down a column (a result sorted by region holds each
    // region's name on many rows): a text equal to the one above shares its
    // string instead of decoding it again.
    std::vector<QByteArray> lastBytes;
    std::vector<qsizetype> lastText;

    ~Reader() { sqlite3_finalize(statement); }
};

Query::~Query() = default;

void Query::prepare(bool forward) {
    close();
    const QByteArray text = AccessDialect::toSqlite(statement()).toUtf8();
    sqlite3 *db = m_database.handle();
    auto reader = std::make_unique<Reader>();
    const int prepared =
        sqlite3_prepare_v2(db, text.constData(), static_cast<int>(text.size()), &reader->statement, nullptr);
    if (prepared != SQLITE_OK)
        fail(db, prepared);

    const int columns = sqlite3_column_count(reader->statement);
    m_columns.assign(columns, Column{});
    reader->forward = forward;
    reader->numeric.resize(columns);
    reader->lastBytes.resize(columns);
    reader->lastText.assign(columns, -1);
    for (int c = 0; c < columns; ++c) {
        m_columns[c].name = QString::fromUtf8(sqlite3_column_name(reader->statement, c));
        reader->numeric[c] = declaredNumeric(sqlite3_column_decltype(reader->statement, c));
    }
    if (forward)
        m_texts.resize(columns);
    m_reader = std::move(reader);
    m_active = true;
}

bool Query::readRow() {
    Reader &r = *m_reader;
    const int rc = sqlite3_step(r.statement);
    if (rc == SQLITE_DONE)
        return false;
    if (rc != SQLITE_ROW)
        fail(m_database.handle(), rc);
    const int columns = fieldCount();
    // The row's cells are made in place: a failure on the way closes the
    // query, which drops them.
    const qsizetype first = m_cells.size();
    m_cells.resize(first + columns);
    m_types.resize(first + columns);
    Cell *cells = m_cells.data() + first;
    quint8 *types = m_types.data() + first;
    for (int c = 0; c < columns; ++c) {
        const int type = sqlite3_column_type(r.statement, c);
        Cell &cell = cells[c];
        cell = Cell{};
        switch (type) {
        case SQLITE_INTEGER:
            cell.integer = sqlite3_column_int64(r.statement, c);
            break;
        case SQLITE_FLOAT:
            cell.number = sqlite3_column_double(r.statement, c);
            break;
        case SQLITE_NULL:
            break;
        default: {
            const char *bytes = reinterpret_cast<const char *>(sqlite3_column_text(r.statement, c));
            const QByteArrayView view(bytes, sqlite3_column_bytes(r.statement, c));
            // Read as a number, such a text would become a 0 that looks
            // like a figure of the study.
            if (r.numeric[c])
                fail(QStringLiteral("a coluna %1 tem um texto onde se espera um número: \"%2\"")
                         .arg(m_columns[c].name, TextUtils::shortened(QString::fromUtf8(view))));
            if (r.lastText[c] < 0 || view != r.lastBytes[c]) {
                r.lastBytes[c] = view.toByteArray();
                if (r.forward) {
                    r.lastText[c] = c;
                    m_texts[c] = QString::fromUtf8(view);
                } else {
                    r.lastText[c] = m_texts.size();
                    m_texts.append(QString::fromUtf8(view));
                }
            }
            cell.text = r.lastText[c];
        }
        }
        types[c] = static_cast<quint8>(type == SQLITE_BLOB ? SQLITE_TEXT : type);
    }
    return true;
}

void Query::open() {
    prepare(false);
    // A failing statement leaves the query closed, with none of its rows.
    ScopeGuard closeOnFailure([this] { close(); });
    int rows = 0;
    while (readRow())
        ++rows;
    m_reader.reset();
    m_rowCount = rows;
    closeOnFailure.dismiss();
    first();
    emit afterOpen();
}

void Query::openForward() {
    prepare(true);
    m_rowCount = 0;
    m_eof = m_bof = true;
}

bool Query::fetch() {
    if (!m_reader)
        return false;
    ScopeGuard closeOnFailure([this] { close(); });
    m_cells.clear();
    m_types.clear();
    const bool read = readRow();
    closeOnFailure.dismiss();
    if (!read)
        m_reader.reset();
    m_rowCount = read ? 1 : 0;
    m_row = 0;
    m_bof = true;
    m_eof = !read;
    return read;
}

void Query::fail(sqlite3 *db, int resultCode) const { fail(EngineError::text(db, resultCode)); }

void Query::fail(const QString &reason) const {
    throw AppError(
        QStringLiteral("Não foi possível %1 do estudo \"%2\": %3").arg(m_activity, m_database.path(), reason));
}

void Query::close() {
    m_reader.reset();
    if (!m_active)
        return;
    m_active = false;
    m_columns.clear();
    m_cells.clear();
    m_types.clear();
    m_texts.clear();
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

int Query::type(int row, int column) const {
    if (row < 0 || row >= m_rowCount || column < 0 || column >= fieldCount())
        return SQLITE_NULL;
    return m_types[static_cast<qsizetype>(row) * fieldCount() + column];
}

QVariant Query::value(int row, int column) const {
    switch (type(row, column)) {
    case SQLITE_INTEGER:
        return cell(row, column).integer;
    case SQLITE_FLOAT:
        return cell(row, column).number;
    case SQLITE_TEXT:
        return m_texts[cell(row, column).text];
    default:
        return {};
    }
}

bool Query::isNull(int row, int column) const { return type(row, column) == SQLITE_NULL; }

QString Query::asString(int row, int column) const {
    switch (type(row, column)) {
    case SQLITE_TEXT:
        return m_texts[cell(row, column).text];
    case SQLITE_NULL:
        return QString();
    default:
        return value(row, column).toString();
    }
}

qint64 Query::asInteger(int row, int column) const {
    switch (type(row, column)) {
    case SQLITE_INTEGER:
        return cell(row, column).integer;
    case SQLITE_FLOAT:
        return qRound64(cell(row, column).number);
    case SQLITE_TEXT:
        return value(row, column).toLongLong();
    default:
        return 0;
    }
}

double Query::asFloat(int row, int column) const {
    switch (type(row, column)) {
    case SQLITE_INTEGER:
        return static_cast<double>(cell(row, column).integer);
    case SQLITE_FLOAT:
        return cell(row, column).number;
    case SQLITE_TEXT:
        return value(row, column).toDouble();
    default:
        return 0.0;
    }
}
