#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// A published study as the Access (Jet 3 or Jet 4) file holds it, read
// through libmdb. Only this class sees the library: its tables are listed
// and streamed row by row, each value already in the form the SQLite study
// keeps. libmdb was not written for hostile files, so the importer reads
// through this class in a child process of its own (see ImportCommand).
class JetFile {
  public:
    // A column's kind in the new study.
    enum class Kind {
        Integer,  // Byte, Integer, Long Integer
        Real,     // Single, Double
        Decimal,  // Currency, Numeric: a REAL read from the exact decimal text
        Boolean,  // 0 or 1
        DateTime, // ISO 8601 text
        Text,     // Text, Memo: UTF-8
        Blob,     // OLE object, binary, replication id
    };
    struct Column {
        QString name;
        Kind kind = Kind::Text;
    };
    struct Value {
        enum Type { Null, Integer, Real, Text, Blob };
        Type type = Null;
        qint64 integer = 0;
        double real = 0;
        QByteArray bytes; // Text (UTF-8) or Blob
    };

    // Opens the file; a file libmdb cannot open raises AppError naming it.
    explicit JetFile(const QString &path);
    ~JetFile();
    JetFile(const JetFile &) = delete;
    JetFile &operator=(const JetFile &) = delete;

    // The user tables, in the file's catalogue order.
    QStringList tableNames() const;

    class Rows;
    // Opens one table for reading; raises AppError when it cannot be read.
    std::unique_ptr<Rows> open(const QString &table) const;

  private:
    struct Handle;
    QString m_path;
    std::unique_ptr<Handle> m_handle;
};

// The rows of one table, read forward once.
class JetFile::Rows {
  public:
    ~Rows();
    const std::vector<Column> &columns() const { return m_columns; }
    // The number of rows the table's definition announces.
    qint64 announcedRows() const;
    // Moves to the next row; false after the last.
    bool next();
    // The current row's values, one per column.
    const std::vector<Value> &values() const { return m_values; }

  private:
    friend class JetFile;
    struct Table;
    explicit Rows(std::unique_ptr<Table> table);

    std::unique_ptr<Table> m_table;
    std::vector<Column> m_columns;
    std::vector<Value> m_values;
};
