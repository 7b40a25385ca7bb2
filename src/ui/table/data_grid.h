#pragma once

#include <QTableView>

class CurrentResult;
class GroupHeaderView;
class ResultTableModel;

// A read-only grid over the result table, with nested column titles and a
// row indicator. The main grid colours its cells (total rows, alternating
// rows, the marked column, navy text in the current cell); the frozen grid
// at its left draws them plainly. The total rows are those of the kind the
// current result names.
class DataGrid : public QTableView {
    Q_OBJECT

  public:
    DataGrid(bool coloured, const CurrentResult &result, QWidget *parent = nullptr);

    void setTableModel(ResultTableModel *model);
    ResultTableModel *tableModel() const { return m_model; }
    GroupHeaderView *titles() const { return m_titles; }

    // Index of the marked column; 0 for none.
    int tag() const { return m_tag; }
    void setTag(int tag);

    void setRowIndicator(bool shown);
    bool hasRowIndicator() const;

    struct Colors {
        QColor brush;
        QColor text;
    };
    Colors cellColors(const QModelIndex &index) const;

    // Width in pixels a column gets from its field's display width, its
    // title and, for a text column, its widest text.
    int defaultColumnWidth(int column) const;

  signals:
    void dblClick();

  protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;

  private:
    void layoutColumns();
    void followTable();
    int widestText(int column) const;

    const CurrentResult &m_result;
    ResultTableModel *m_model = nullptr;
    GroupHeaderView *m_titles;
    bool m_coloured;
    int m_tag = 0;
};
