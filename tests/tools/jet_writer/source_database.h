#pragma once

#include "source_column.h"

#include <QString>
#include <QStringList>
#include <vector>

struct sqlite3;

// The SQLite database the Jet file is written from, opened read-only.
class SourceDatabase {
  public:
    // Raises AppError naming the file when it cannot be opened as a database.
    explicit SourceDatabase(const QString &path);
    ~SourceDatabase();
    SourceDatabase(const SourceDatabase &) = delete;
    SourceDatabase &operator=(const SourceDatabase &) = delete;

    const QString &path() const { return m_path; }
    sqlite3 *handle() const { return m_db; }

    // The tables in the order they were created, SQLite's own left out.
    QStringList tables() const;
    // The columns of a table in their order, each with what one pass over
    // the table's values found.
    std::vector<SourceColumn> columns(const QString &table) const;

    // A name as a quoted identifier, whatever characters it holds.
    static QString quoted(const QString &name);

  private:
    [[noreturn]] void fail(const QString &doing, int resultCode) const;

    QString m_path;
    sqlite3 *m_db = nullptr;
};
