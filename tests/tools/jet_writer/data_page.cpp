#include "data_page.h"

#include "jet_format.h"

using JetFormat::kPageSize;

DataPage::DataPage(quint32 owner) : m_page(kPageSize, '\0'), m_rowsStart(kPageSize) {
    m_page[0] = JetFormat::kDataPage;
    m_page[1] = 0x01;
    JetFormat::put16(m_page, 2, quint16(kPageSize - JetFormat::kDataPageHeader));
    JetFormat::put32(m_page, 4, owner);
}

bool DataPage::fits(qsizetype rowSize) const {
    const qsizetype offsetsEnd = JetFormat::kDataPageHeader + 2 * (m_rowCount + 1);
    return m_rowCount < JetFormat::kMaxRowsPerPage && offsetsEnd + rowSize <= m_rowsStart;
}

int DataPage::add(const QByteArray &row) {
    m_rowsStart -= int(row.size());
    m_page.replace(m_rowsStart, row.size(), row);
    JetFormat::put16(m_page, JetFormat::kDataPageHeader + 2 * m_rowCount, quint16(m_rowsStart));
    ++m_rowCount;
    JetFormat::put16(m_page, JetFormat::kDataPageRowCount, quint16(m_rowCount));
    const int offsetsEnd = JetFormat::kDataPageHeader + 2 * m_rowCount;
    JetFormat::put16(m_page, 2, quint16(m_rowsStart - offsetsEnd));
    return m_rowCount - 1;
}
