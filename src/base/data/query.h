#pragma once

#include <QList>
#include <QObject>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <vector>

class Database;
class Query;
struct sqlite3;

// One column of an open query, read at the query's current row. Display
// width, format and visibility belong to the column and survive moves.
class Field {
public:
    Field(Query *query, int column) : m_query(query), m_column(column) {}

    QString name() const;
    int index() const { return m_column; }
    bool isNull() const;
    QVariant value() const;
    QString asString() const;    // null reads as ""
    qint64 asInteger() const;    // null reads as 0
    double asFloat() const;      // null reads as 0
    QStringList asLines() const; // a memo's text, one entry per line

    int displayWidth() const;
    void setDisplayWidth(int width);
    QString displayFormat() const;
    void setDisplayFormat(const QString &format);
    bool isVisible() const;
    void setVisible(bool visible);

private:
    Query *m_query;
    int m_column;
};

// A SELECT statement held as a list of lines and, once open, the full result
// with a cursor over it. The statement sent is the lines joined by line
// breaks; the lines stay after close.
class Query : public QObject {
    Q_OBJECT

public:
    explicit Query(Database &database, QObject *parent = nullptr);
    // A query as a window declares it: its object name and its statement.
    Query(Database &database, const QString &name, const QStringList &lines, QObject *parent);
    ~Query() override;

    QStringList &sql() { return m_lines; }
    const QStringList &sql() const { return m_lines; }
    QString statement() const { return m_lines.join(QLatin1Char('\n')); }

    // What the statement is for, in the words of an error message ("ler o
    // tópico 02.01.01"); "ler os dados" until set. Set it with the statement.
    void setActivity(const QString &activity) { m_activity = activity; }

    // Runs the statement and stands on the first row. A failing statement
    // raises an AppError saying what the query was doing, on which study,
    // and the engine's reason; the query stays closed.
    void open();
    // Runs the statement to read its rows once, in order, without keeping
    // them, for a reader that never goes back: the query stands on no row
    // until fetch() reads the next one as its only row (row 0); fetch()
    // returns false after the last, and the query stays active with no row.
    // Errors are raised as open() raises them, and close the query.
    void openForward();
    bool fetch();
    void close();
    bool isActive() const { return m_active; }

    void first();
    void next();
    void prior();
    bool eof() const { return m_eof; }
    bool bof() const { return m_bof; }
    int recordCount() const { return m_rowCount; }
    int recNo() const { return m_row; }

    int fieldCount() const { return static_cast<int>(m_columns.size()); }
    Field field(int column) { return Field(this, column); }
    // Raises "Field '<name>' not found" when the result has no such column.
    Field fieldByName(const QString &name);
    // -1 when the result has no such column; names compare without case.
    int fieldIndex(const QString &name) const;

    // Any cell of the result, without moving the cursor; outside the
    // result a cell reads as null.
    QVariant value(int row, int column) const;
    bool isNull(int row, int column) const;
    QString asString(int row, int column) const;  // null reads as ""
    qint64 asInteger(int row, int column) const;  // null reads as 0
    double asFloat(int row, int column) const;    // null reads as 0

signals:
    void afterOpen();

private:
    friend class Field;
    struct Column {
        QString name;
        int displayWidth = 0;
        QString displayFormat;
        bool visible = true;
    };
    // One cell in the type the engine gave it. A text is the index of its
    // string in m_texts.
    union Cell {
        qint64 integer;
        double number;
        qsizetype text;
    };
    // The running statement while rows are read.
    struct Reader;
    void prepare(bool forward);
    // Reads the next row after the rows held; false at the end of the result.
    bool readRow();
    // The engine's type of a cell (SQLITE_INTEGER, ...); SQLITE_NULL outside
    // the result.
    int type(int row, int column) const;
    const Cell &cell(int row, int column) const {
        return m_cells[static_cast<qsizetype>(row) * fieldCount() + column];
    }
    [[noreturn]] void fail(sqlite3 *db, int resultCode) const;
    [[noreturn]] void fail(const QString &reason) const;

    Database &m_database;
    QStringList m_lines;
    QString m_activity = QStringLiteral("ler os dados");
    std::vector<Column> m_columns;
    // Row-major, 9 bytes a cell. A QList of plain values grows by
    // reallocating in place where it can, so a large result is never held
    // twice while it grows; its unused room is never touched, so it takes
    // no memory, and is left as it is (squeezing would copy the result).
    QList<Cell> m_cells;
    QList<quint8> m_types;
    QList<QString> m_texts;
    std::unique_ptr<Reader> m_reader;
    int m_rowCount = 0;
    int m_row = 0;
    bool m_active = false;
    bool m_eof = true;
    bool m_bof = true;
};
