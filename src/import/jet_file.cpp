#include "import/jet_file.h"

#include "base/data/app_error.h"

#include <QDate>
#include <QFile>

#include <cmath>
#include <cstdlib>
#include <cstring>

extern "C" {
#include <mdbtools.h>
}

namespace {

constexpr int kOffsetMask = 0x1fff;

// libmdb converts a text into a buffer it allocates at the handle's bind
// size: room for a Text column's 255 characters in UTF-8, and, only while a
// memo is read, for the longest memo Jet holds (65 535 characters).
constexpr size_t kTextBuffer = 4096;
constexpr size_t kMemoBuffer = 4 * 65536;

QString unreadable(const QString &path, const QString &reason) {
    return QStringLiteral("Não foi possível ler o estudo publicado \"%1\": %2").arg(path, reason);
}

JetFile::Kind kindOf(int columnType) {
    switch (columnType) {
    case MDB_BYTE:
    case MDB_INT:
    case MDB_LONGINT:
    case MDB_COMPLEX:
        return JetFile::Kind::Integer;
    case MDB_FLOAT:
    case MDB_DOUBLE:
        return JetFile::Kind::Real;
    case MDB_MONEY:
    case MDB_NUMERIC:
        return JetFile::Kind::Decimal;
    case MDB_BOOL:
        return JetFile::Kind::Boolean;
    case MDB_DATETIME:
        return JetFile::Kind::DateTime;
    case MDB_OLE:
    case MDB_BINARY:
        return JetFile::Kind::Blob;
    default:
        return JetFile::Kind::Text;
    }
}

qint64 littleEndian(const unsigned char *bytes, int count) {
    quint64 value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | bytes[i];
    return qint64(value);
}

// Currency is a count of ten-thousandths in eight bytes: its decimal text is
// written exactly, and the REAL is the double nearest to that text.
double currency(const unsigned char *bytes) {
    const qint64 raw = littleEndian(bytes, 8);
    const quint64 magnitude = raw < 0 ? quint64(0) - quint64(raw) : quint64(raw);
    const QByteArray text = QByteArray(raw < 0 ? "-" : "") + QByteArray::number(magnitude / 10000) + '.' +
                            QByteArray::number(magnitude % 10000).rightJustified(4, '0');
    return std::strtod(text.constData(), nullptr);
}

// A date is a count of days since 30 December 1899, the time of day in its
// fraction (counted forward from midnight also before that day).
QByteArray isoDateTime(double stored) {
    if (!std::isfinite(stored) || std::fabs(stored) > 3.0e6)
        return QByteArray();
    const double days = std::trunc(stored);
    qint64 seconds = qint64(std::llround(std::fabs(stored - days) * 86400.0));
    QDate date = QDate(1899, 12, 30).addDays(qint64(days));
    if (seconds >= 86400) {
        date = date.addDays(1);
        seconds -= 86400;
    }
    QByteArray text = date.toString(Qt::ISODate).toLatin1();
    if (seconds > 0)
        text += QStringLiteral("T%1:%2:%3")
                    .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
                    .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
                    .arg(seconds % 60, 2, 10, QLatin1Char('0'))
                    .toLatin1();
    return text;
}

QByteArray takeText(char *text) {
    QByteArray bytes(text ? text : "");
    g_free(text);
    return bytes;
}

} // namespace

struct JetFile::Handle {
    MdbHandle *mdb = nullptr;
    ~Handle() {
        if (mdb)
            mdb_close(mdb);
    }
};

struct JetFile::Rows::Table {
    MdbHandle *mdb = nullptr;
    MdbTableDef *def = nullptr;
    QString path;
    std::vector<MdbField> fields;
    // libmdb reads an OLE value through the column's bound buffer, which
    // takes the value's header and then one page of it at a time.
    std::vector<std::vector<char>> oleBuffers;
    ~Table() {
        if (def)
            mdb_free_tabledef(def);
    }
};

JetFile::JetFile(const QString &path) : m_path(path), m_handle(std::make_unique<Handle>()) {
    m_handle->mdb = mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS);
    if (!m_handle->mdb)
        throw AppError(unreadable(path, QStringLiteral("não é um arquivo do Access ou está danificado")));
    mdb_set_bind_size(m_handle->mdb, kTextBuffer);
    if (!mdb_read_catalog(m_handle->mdb, MDB_TABLE))
        throw AppError(unreadable(path, QStringLiteral("a lista de tabelas do arquivo está danificada")));
}

JetFile::~JetFile() = default;

QStringList JetFile::tableNames() const {
    QStringList names;
    GPtrArray *catalog = m_handle->mdb->catalog;
    for (guint i = 0; catalog && i < catalog->len; ++i) {
        auto *entry = static_cast<MdbCatalogEntry *>(g_ptr_array_index(catalog, i));
        if (entry->object_type == MDB_TABLE && mdb_is_user_table(entry))
            names << QString::fromUtf8(entry->object_name);
    }
    return names;
}

std::unique_ptr<JetFile::Rows> JetFile::open(const QString &table) const {
    MdbCatalogEntry *entry = mdb_get_catalogentry_by_name(m_handle->mdb, table.toUtf8().constData());
    auto opened = std::make_unique<Rows::Table>();
    opened->mdb = m_handle->mdb;
    opened->path = m_path;
    opened->def = entry ? mdb_read_table(entry) : nullptr;
    if (!opened->def || !mdb_read_columns(opened->def))
        throw AppError(unreadable(m_path, QStringLiteral("a definição da tabela \"%1\" está danificada").arg(table)));
    mdb_rewind_table(opened->def);
    return std::unique_ptr<Rows>(new Rows(std::move(opened)));
}

JetFile::Rows::Rows(std::unique_ptr<Table> table) : m_table(std::move(table)) {
    MdbTableDef *def = m_table->def;
    for (guint i = 0; i < def->num_cols; ++i) {
        auto *column = static_cast<MdbColumn *>(g_ptr_array_index(def->columns, i));
        m_columns.push_back({QString::fromUtf8(column->name), kindOf(column->col_type)});
        if (column->col_type == MDB_OLE) {
            std::vector<char> &buffer = m_table->oleBuffers.emplace_back(MDB_PGSIZE + MDB_MEMO_OVERHEAD);
            mdb_bind_column(def, int(i) + 1, buffer.data(), nullptr);
        }
    }
    m_values.resize(m_columns.size());
    m_table->fields.resize(m_columns.size());
}

JetFile::Rows::~Rows() = default;

qint64 JetFile::Rows::announcedRows() const { return m_table->def->num_rows; }

// libmdb's row reader leaves the row's page in the handle's buffer and the
// row number in the table; the row is cracked once more for what the reader
// does not hand on: which values are NULL, and where each one lies.
bool JetFile::Rows::next() {
    MdbTableDef *def = m_table->def;
    MdbHandle *mdb = m_table->mdb;
    if (!mdb_fetch_row(def))
        return false;
    int start = 0;
    size_t size = 0;
    if (mdb_find_row(mdb, int(def->cur_row) - 1, &start, &size) != 0 ||
        mdb_crack_row(def, start & kOffsetMask, size, m_table->fields.data()) < 0)
        throw AppError(unreadable(m_table->path, QStringLiteral("uma linha da tabela \"%1\" está danificada")
                                                     .arg(QString::fromUtf8(def->name))));
    for (guint i = 0; i < def->num_cols; ++i) {
        const MdbField &field = m_table->fields[i];
        if (field.colnum < 0 || guint(field.colnum) >= def->num_cols)
            continue;
        auto *column = static_cast<MdbColumn *>(g_ptr_array_index(def->columns, field.colnum));
        Value &value = m_values[size_t(field.colnum)];
        value = Value();
        // A Boolean lives in the null mask: a set bit is true.
        if (column->col_type == MDB_BOOL) {
            value.type = Value::Integer;
            value.integer = field.is_null ? 0 : 1;
            continue;
        }
        if (field.is_null)
            continue;
        const unsigned char *bytes = mdb->pg_buf + field.start;
        const int length = field.siz;
        switch (column->col_type) {
        case MDB_BYTE:
            value.type = Value::Integer;
            value.integer = bytes[0];
            break;
        case MDB_INT:
            value.type = Value::Integer;
            value.integer = qint16(littleEndian(bytes, 2));
            break;
        case MDB_LONGINT:
        case MDB_COMPLEX:
            value.type = Value::Integer;
            value.integer = qint32(littleEndian(bytes, 4));
            break;
        case MDB_FLOAT:
            value.type = Value::Real;
            value.real = mdb_get_single(mdb->pg_buf, field.start);
            break;
        case MDB_DOUBLE:
            value.type = Value::Real;
            value.real = mdb_get_double(mdb->pg_buf, field.start);
            break;
        case MDB_MONEY:
            value.type = Value::Real;
            value.real = currency(bytes);
            break;
        case MDB_NUMERIC:
            value.type = Value::Real;
            value.real = std::strtod(
                takeText(mdb_numeric_to_string(mdb, field.start, column->col_scale, column->col_prec)).constData(),
                nullptr);
            break;
        case MDB_DATETIME:
            value.type = Value::Text;
            value.bytes = isoDateTime(mdb_get_double(mdb->pg_buf, field.start));
            if (value.bytes.isEmpty())
                value.type = Value::Null;
            break;
        case MDB_BINARY:
            value.type = Value::Blob;
            value.bytes = QByteArray(reinterpret_cast<const char *>(bytes), length);
            break;
        case MDB_OLE: {
            size_t read = 0;
            void *blob = mdb_ole_read_full(mdb, column, &read);
            value.type = Value::Blob;
            value.bytes = QByteArray(static_cast<const char *>(blob), qsizetype(read));
            std::free(blob);
            break;
        }
        case MDB_MEMO:
            value.type = Value::Text;
            mdb_set_bind_size(mdb, kMemoBuffer);
            value.bytes = takeText(mdb_col_to_string(mdb, mdb->pg_buf, field.start, MDB_MEMO, length));
            mdb_set_bind_size(mdb, kTextBuffer);
            break;
        default:
            value.type = Value::Text;
            value.bytes = length > 0 ? takeText(mdb_col_to_string(mdb, mdb->pg_buf, field.start, column->col_type,
                                                                   length))
                                     : QByteArray("");
            break;
        }
    }
    return true;
}
