#include "expected_table.h"

#include <QStringList>
#include <algorithm>
#include <gtest/gtest.h>
#include <limits>
#include <sqlite3.h>

namespace {

QString quoted(const QString &name) {
    return QStringLiteral("\"%1\"").arg(QString(name).replace(QLatin1Char('"'), QStringLiteral("\"\"")));
}

// Runs a statement and hands every row to a function.
template <typename RowFunction> void forEachRow(sqlite3 *db, const QString &sql, RowFunction onRow) {
    sqlite3_stmt *statement = nullptr;
    const QByteArray text = sql.toUtf8();
    ASSERT_EQ(sqlite3_prepare_v2(db, text.constData(), -1, &statement, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    while (sqlite3_step(statement) == SQLITE_ROW)
        onRow(statement);
    sqlite3_finalize(statement);
}

class Connection {
  public:
    explicit Connection(const QString &path) {
        EXPECT_EQ(sqlite3_open_v2(path.toUtf8().constData(), &m_db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    }
    ~Connection() { sqlite3_close(m_db); }
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;
    sqlite3 *get() const { return m_db; }

  private:
    sqlite3 *m_db = nullptr;
};

QString columnText(sqlite3_stmt *statement, int column) {
    return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, column)));
}

// mdb-export prints a Double with 16 significant digits.
QString doubleText(double value) { return QString::asprintf("%.16g", value); }

} // namespace

QStringList sqliteTables(const QString &database) {
    Connection db(database);
    QStringList names;
    forEachRow(db.get(),
               QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' "
                              "AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY rowid"),
               [&](sqlite3_stmt *row) { names << columnText(row, 0); });
    return names;
}

ExpectedTable ExpectedTable::read(const QString &database, const QString &table) {
    Connection db(database);
    QStringList declared;
    QStringList names;
    // Generated columns are part of the rows SELECT * returns.
    forEachRow(db.get(), QStringLiteral("PRAGMA table_xinfo(%1)").arg(quoted(table)), [&](sqlite3_stmt *row) {
        if (sqlite3_column_int(row, 6) == 1)
            return;
        names << columnText(row, 1);
        declared << columnText(row, 2).toLower();
    });

    // The raw values first: an integer column becomes Double when a value
    // has a fraction or needs more than 32 bits, a text column Memo when a
    // value is longer than 255 characters.
    struct Raw {
        int type;
        qint64 integer;
        double real;
        QString text;
    };
    std::vector<std::vector<Raw>> raw;
    forEachRow(db.get(), QStringLiteral("SELECT * FROM %1").arg(quoted(table)), [&](sqlite3_stmt *row) {
        std::vector<Raw> values;
        for (int i = 0; i < names.size(); ++i)
            values.push_back({sqlite3_column_type(row, i), sqlite3_column_int64(row, i), sqlite3_column_double(row, i),
                              columnText(row, i)});
        raw.push_back(std::move(values));
    });
    std::vector<bool> asDouble(size_t(names.size()), false);
    std::vector<bool> asMemo(size_t(names.size()), false);
    for (const std::vector<Raw> &values : raw) {
        for (size_t i = 0; i < values.size(); ++i) {
            const Raw &value = values[i];
            if (value.type == SQLITE_FLOAT ||
                (value.type == SQLITE_INTEGER && (value.integer > std::numeric_limits<qint32>::max() ||
                                                  value.integer < std::numeric_limits<qint32>::min())))
                asDouble[i] = true;
            if (value.type == SQLITE_TEXT && value.text.size() > 255)
                asMemo[i] = true;
        }
    }

    ExpectedTable expected;
    for (int i = 0; i < names.size(); ++i) {
        QString type;
        if (declared[i] == QStringLiteral("integer"))
            type = asDouble[size_t(i)] ? QStringLiteral("Double") : QStringLiteral("Long Integer");
        else if (declared[i] == QStringLiteral("real"))
            type = QStringLiteral("Double");
        else if (declared[i] == QStringLiteral("text"))
            type = asMemo[size_t(i)] ? QStringLiteral("Memo/Hyperlink (255)") : QStringLiteral("Text (255)");
        else
            ADD_FAILURE() << "no expectation for the declared type " << declared[i].toStdString();
        expected.columns.emplace_back(names[i], type);
    }
    for (const std::vector<Raw> &values : raw) {
        ExportedRow row;
        for (size_t i = 0; i < values.size(); ++i) {
            const Raw &value = values[i];
            if (value.type == SQLITE_NULL)
                row.push_back(std::nullopt);
            else if (value.type == SQLITE_TEXT)
                // mdbtools reads an empty text as no value.
                row.push_back(value.text.isEmpty() ? std::nullopt : std::optional<QString>(value.text));
            else if (value.type == SQLITE_FLOAT || asDouble[i])
                row.push_back(doubleText(value.type == SQLITE_FLOAT ? value.real : double(value.integer)));
            else
                row.push_back(QString::number(value.integer));
        }
        expected.rows.push_back(std::move(row));
    }
    return expected;
}

void expectSameRows(const QString &table, std::vector<ExportedRow> expected, std::vector<ExportedRow> actual) {
    ASSERT_EQ(actual.size(), expected.size()) << "rows of " << table.toStdString();
    std::sort(expected.begin(), expected.end());
    std::sort(actual.begin(), actual.end());
    for (size_t r = 0; r < expected.size(); ++r) {
        ASSERT_EQ(actual[r].size(), expected[r].size()) << "columns of a row of " << table.toStdString();
        for (size_t c = 0; c < expected[r].size(); ++c) {
            ASSERT_EQ(actual[r][c], expected[r][c])
                << table.toStdString() << ", sorted row " << r << ", column " << c << ": expected "
                << expected[r][c].value_or(QStringLiteral("(null)")).toStdString() << ", read "
                << actual[r][c].value_or(QStringLiteral("(null)")).toStdString();
        }
    }
}

qint64 expectSameTables(const MdbReader &reader, const QString &database, const QStringList &tables) {
    EXPECT_EQ(reader.tables(), tables);
    qint64 rows = 0;
    for (const QString &table : tables) {
        SCOPED_TRACE(table.toStdString());
        const ExpectedTable expected = ExpectedTable::read(database, table);
        EXPECT_EQ(reader.columns(table), expected.columns);
        const MdbReader::Export exported = reader.exportTable(table);
        QStringList names;
        for (const auto &column : expected.columns)
            names << column.first;
        EXPECT_EQ(exported.header, names);
        expectSameRows(table, expected.rows, exported.rows);
        rows += qint64(exported.rows.size());
    }
    return rows;
}
