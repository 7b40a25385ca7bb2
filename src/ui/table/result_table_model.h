#pragma once

#include <QAbstractTableModel>
#include <vector>

class ResultTable;
class ResultField;

// The result table as the grids see it: one column per shown field in field
// order, a group field's column standing before its members' (the grid
// draws it as a title spanning them and shows no cells under it). Cells are
// asked for only when painted, so showing a table costs the same whatever
// its row count. The vertical header marks the table's current row.
class ResultTableModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    explicit ResultTableModel(ResultTable &table, QObject *parent = nullptr);

    ResultTable &table() const { return m_table; }
    const ResultField &field(int column) const;
    int columnOfField(int fieldIndex) const; // -1 when not shown
    // Nesting level of a column: 0 at the top level.
    int depth(int column) const;
    int maxDepth() const { return m_maxDepth; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

  private:
    void reload();
    void addColumns(const std::vector<int> &fields);
    void currentRowMoved();

    ResultTable &m_table;
    std::vector<int> m_columns; // field index per column
    std::vector<int> m_depth;
    int m_maxDepth = 0;
    int m_currentRow = -1;
};
