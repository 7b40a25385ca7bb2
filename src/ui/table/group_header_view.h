#pragma once

#include <QHeaderView>

class ResultTableModel;

// Column titles of a grid over a ResultTableModel, as many title rows as the
// deepest nesting: a group's title spans the columns of its shown members in
// the row of its level, and a value's title fills its column from its own
// level to the bottom. Group columns themselves are hidden in the grid.
class GroupHeaderView : public QHeaderView {
    Q_OBJECT

  public:
    explicit GroupHeaderView(QWidget *parent = nullptr);

    int titleRows() const;
    int titleRowHeight() const;
    QSize sizeHint() const override;

    // The grid column whose title lies at a point: a value column, or the
    // group column whose spanning title is there; -1 for none.
    int columnAt(const QPoint &pos) const;

  signals:
    // A click on a title, with the grid column it belongs to.
    void titleClicked(int column);

  protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

  private:
    ResultTableModel *tableModel() const;
    // The viewport span of a column's shown leaf sections; empty when none.
    QRect span(int column) const;

    QPoint m_pressPos;
};
