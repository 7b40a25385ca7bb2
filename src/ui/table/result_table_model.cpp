#include "ui/table/result_table_model.h"

#include "base/table/result_table.h"

ResultTableModel::ResultTableModel(ResultTable &table, QObject *parent) : QAbstractTableModel(parent), m_table(table) {
    connect(&m_table, &ResultTable::contentReset, this, &ResultTableModel::reload);
    connect(&m_table, &ResultTable::afterScroll, this, &ResultTableModel::currentRowMoved);
    connect(&m_table, &ResultTable::afterClose, this, &ResultTableModel::reload);
    reload();
}

void ResultTableModel::reload() {
    beginResetModel();
    m_columns.clear();
    m_depth.clear();
    m_maxDepth = 0;
    addColumns(m_table.topLevelFields());
    m_currentRow = m_table.isActive() ? m_table.currentRow() : -1;
    endResetModel();
}

void ResultTableModel::addColumns(const std::vector<int> &fields) {
    for (int index : fields) {
        const ResultField &f = m_table.field(index);
        if (!f.isVisible())
            continue;
        const int depth = f.parent() < 0 ? 0 : m_depth[columnOfField(f.parent())] + 1;
        m_columns.push_back(index);
        m_depth.push_back(depth);
        m_maxDepth = qMax(m_maxDepth, depth);
        if (f.isGroup())
            addColumns(f.children());
    }
}

void ResultTableModel::currentRowMoved() {
    const int previous = m_currentRow;
    m_currentRow = m_table.currentRow();
    if (previous == m_currentRow || rowCount() == 0)
        return;
    if (previous >= 0 && previous < rowCount())
        emit headerDataChanged(Qt::Vertical, previous, previous);
    if (m_currentRow < rowCount())
        emit headerDataChanged(Qt::Vertical, m_currentRow, m_currentRow);
}

const ResultField &ResultTableModel::field(int column) const { return m_table.field(m_columns[column]); }

int ResultTableModel::columnOfField(int fieldIndex) const {
    for (size_t c = 0; c < m_columns.size(); ++c)
        if (m_columns[c] == fieldIndex)
            return static_cast<int>(c);
    return -1;
}

int ResultTableModel::depth(int column) const { return m_depth[column]; }

int ResultTableModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : m_table.recordCount(); }

int ResultTableModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QVariant ResultTableModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const ResultField &f = field(index.column());
    if (f.isGroup())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return m_table.displayText(index.row(), f.index());
    case Qt::TextAlignmentRole:
        return static_cast<int>(Qt::AlignVCenter | (f.isNumeric() ? Qt::AlignRight : Qt::AlignLeft));
    default:
        return {};
    }
}

QVariant ResultTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < columnCount() ? field(section).displayLabel() : QVariant();
    return section == m_currentRow ? QStringLiteral("\u25B6") : QString();
}
