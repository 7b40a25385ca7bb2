#pragma once

#include "base/selection/selection_state.h"
#include "base/table/table_run.h"

#include <QWidget>
#include <functional>

class Database;
class DataGrid;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class ResultTable;
class ResultTableModel;

// The table part of the data page: the grid dbgDados over the result table
// with the frozen-columns grid dbgDados2 at its left, the progress panel
// pnlGauge, and the notes (pnlNota1 with lblNota20000, pnlNota with
// memNota). It owns the query run and with it the current result, which the
// other views read; a click on a figure title marks the column there.
class TableArea : public QWidget {
    Q_OBJECT

  public:
    // What the run asks of the window around the area.
    struct Host {
        std::function<void()> enableFilters;          // a heading topic: close and show the empty state
        std::function<void()> showDataSection;        // the run switches to the data section
        std::function<void(bool shown)> showGrouping; // lblAgrupar and cbAgrupar
    };

    explicit TableArea(Database &database, QWidget *parent = nullptr);
    ~TableArea() override;

    void setHost(Host host) { m_host = std::move(host); }
    // The empty-state panel pnlSemDados, shown in place of the grids while
    // the result table has no row.
    void setEmptyPanel(QWidget *pnlSemDados);

    // One query run of the topic with the filters of the selection.
    void MontaDados(const QString &topic, const SelectionState &selection);
    // A filter changed: the result closes, the empty state and no notes show.
    void closeResult();
    // The window closes: the value query and the result table close and the
    // attribute lines are emptied.
    void closeQueries();

    const CurrentResult &result() const { return m_run.result(); }
    DataGrid *dbgDados() const { return m_dbgDados; }
    DataGrid *dbgDados2() const { return m_dbgDados2; }

    // Marks a figure column as a click on its title does: a second click on
    // the marked column removes the mark.
    void markColumn(int column, const QString &name, const QString &fullName);

  signals:
    // The column mark was set, moved or removed.
    void markChanged();

  private:
    void buildPanels();
    void setEmptyShown(bool shown);
    void showNotes(const TopicNotes &notes);
    void dbgDadosTitleClick(int column);
    void dbgDadosDblClick();
    void cdsDadosAfterScroll();
    void cdsDadosAfterClose();
    void unfreeze();

    TableRun m_run;
    ResultTableModel *m_model;
    Host m_host;

    QWidget *m_pnlSemDados = nullptr;
    QWidget *m_grids;
    DataGrid *m_dbgDados;
    DataGrid *m_dbgDados2;
    QFrame *m_pnlGauge;
    QProgressBar *m_gauRegistro;
    QFrame *m_pnlNota1;
    QLabel *m_lblNota20000;
    QFrame *m_pnlNota;
    QPlainTextEdit *m_memNota;
};
