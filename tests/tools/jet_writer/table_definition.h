#pragma once

#include "jet_column.h"
#include "source_value.h"

#include <QByteArray>
#include <QString>
#include <vector>

// A Jet table: its columns laid out in a row (fixed columns at set places,
// then the variable ones), the encoding of one row, and the table
// definition that describes them.
class TableDefinition {
  public:
    // Raises AppError naming the table when it cannot be a Jet table: a
    // name too long, too many or no columns.
    TableDefinition(const QString &name, std::vector<JetColumn> columns, bool system = false);

    const QString &name() const { return m_name; }
    const std::vector<JetColumn> &columns() const { return m_columns; }

    // One row as a data page stores it. Raises AppError naming the table,
    // the row (counted from 1) and the column for a value that does not fit.
    QByteArray encodeRow(const std::vector<SourceValue> &values, qint64 rowNumber) const;

    // How many pages the definition takes; known before the rows are, so
    // that the data pages can name the first.
    int definitionPageCount() const;
    // The definition's pages, to be written at the given page numbers (each
    // page chains to the next): the first holds the table's counts and the
    // row addresses of its two usage maps.
    std::vector<QByteArray> definitionPages(const std::vector<quint32> &pageNumbers, quint32 rowCount, quint32 usageMap,
                                            quint32 freeSpaceMap) const;

  private:
    QByteArray definitionBytes(quint32 rowCount, quint32 usageMap, quint32 freeSpaceMap) const;
    [[noreturn]] void refuse(const QString &reason) const;

    QString m_name;
    std::vector<JetColumn> m_columns;
    bool m_system;
    // Per column: its place in the fixed part of a row, or its place in the
    // table of variable columns.
    std::vector<int> m_fixedOffsets;
    std::vector<int> m_variableIndexes;
    int m_fixedSize = 0;
    int m_variableCount = 0;
};
