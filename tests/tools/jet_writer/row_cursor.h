#pragma once

#include "source_value.h"

#include <QString>
#include <QStringList>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// The rows of one source table in storage order, one at a time, so that a
// table of any size is read without holding it; the values of the columns
// named, in that order.
class RowCursor {
  public:
    RowCursor(sqlite3 *db, const QString &sourcePath, const QString &table, const QStringList &columns);
    ~RowCursor();
    RowCursor(const RowCursor &) = delete;
    RowCursor &operator=(const RowCursor &) = delete;

    // Moves to the next row; false after the last one.
    bool next();
    const std::vector<SourceValue> &values() const { return m_values; }

  private:
    [[noreturn]] void fail(int resultCode) const;

    sqlite3 *m_db;
    QString m_sourcePath;
    QString m_table;
    sqlite3_stmt *m_statement = nullptr;
    std::vector<SourceValue> m_values;
};
