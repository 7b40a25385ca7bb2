#pragma once

#include <QByteArray>
#include <QtGlobal>

// A data page being filled: rows are placed from the end of the page
// towards its start, their offsets listed after the header in row order.
class DataPage {
  public:
    // owner: the first page of the table definition whose rows it holds.
    explicit DataPage(quint32 owner);

    bool fits(qsizetype rowSize) const;
    // Adds a row that fits and returns its number on the page.
    int add(const QByteArray &row);
    int rowCount() const { return m_rowCount; }
    const QByteArray &bytes() const { return m_page; }

  private:
    QByteArray m_page;
    int m_rowCount = 0;
    // Where the last row added starts.
    int m_rowsStart;
};
