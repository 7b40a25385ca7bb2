#pragma once

#include "selection/selection_state.h"
#include "table/column_mark.h"
#include "table/table_run.h"

#include <QWidget>
#include <functional>
#include <memory>

class Database;
class DataGrid;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class Query;
class ResultTable;
class ResultTableModel;

// The table part of the data page: the grid dbgDados over the result table
// with the frozen-columns grid dbgDados2 at its left, the progress panel
// pnlGauge, and the notes (pnlNota1 with lblNota20000, pnlNota with
// memNota). It owns the queries and the result table of the query run and
// keeps what the run leaves for the other views: the attribute lines, the
// total-row kind, the finest shown territory field and the column mark.
class TableArea : public QWidget {
    Q_OBJECT

  public:
    // What the run asks of the window around the area.
    struct Host {
        std::function<void()> habilitaFiltros;          // a heading topic: close and show the empty state
        std::function<void()> selecionaDados;           // show the data section
        std::function<void(bool shown)> agruparVisible; // lblAgrupar and cbAgrupar
    };

    explicit TableArea(Database &database, QWidget *parent = nullptr);
    ~TableArea() override;

    void setHost(Host host) { m_host = std::move(host); }
    // The empty-state panel pnlSemDados, shown in place of the grids while
    // the result table has no row.
    void setEmptyPanel(QWidget *pnlSemDados);
    void setSemDados(bool shown);

    // One query run of the topic with the filters of the selection.
    void MontaDados(const QString &topic, const SelectionState &selection);
    // A filter changed: the result closes, the empty state and no notes show.
    void FechaResultado();

    ResultTable &cdsDados() { return *m_cdsDados; }
    Query &qValorNivel() { return *m_qValorNivel; }
    Query &qAux() { return *m_qAux; }
    Query &qObservacao() { return *m_qObservacao; }
    DataGrid *dbgDados() const { return m_dbgDados; }
    DataGrid *dbgDados2() const { return m_dbgDados2; }

    const QStringList &FAtributos() const { return m_state.FAtributos; }
    int totalKind() const { return m_state.totalKind; } // the Tag of cbAgrupar
    const QString &FCampoLocal() const { return m_state.FCampoLocal; }
    const ColumnMark &mark() const { return m_mark; }

  signals:
    // The column mark was set, moved or removed.
    void markChanged();

  private:
    void buildPanels();
    void showNotes(const TopicNotes &notes);
    void dbgDadosTitleClick(int column);
    void dbgDadosDblClick();
    void cdsDadosAfterScroll();
    void cdsDadosAfterClose();
    void unfreeze();

    std::unique_ptr<Query> m_qValorNivel;
    std::unique_ptr<Query> m_qAux;
    std::unique_ptr<Query> m_qObservacao;
    ResultTable *m_cdsDados;
    ResultTableModel *m_model;
    TableRun m_run;
    TableRun::State m_state;
    QString m_topic;
    ColumnMark m_mark;
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
