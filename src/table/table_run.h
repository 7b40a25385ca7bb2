#pragma once

#include "selection/selection_state.h"
#include "table/result_assembly.h"
#include "table/topic_notes.h"

#include <QStringList>
#include <functional>

class Query;
class ResultTable;

// One query run of a topic without any window: the catalogue, the statement,
// the result table with its labels and rows, and the notes. The program's
// data page and the command-line exporter both run it; the page adds what
// the user sees around it (section, gauge, cursor, panels).
class TableRun {
  public:
    // What the run reads and writes besides its queries and table: the
    // attribute lines, the total-row kind of the result (kept as it was by
    // the municipality list "03"), the finest shown territory field and the
    // notes of the topic.
    struct State {
        QStringList FAtributos;
        int totalKind = 0;
        QString FCampoLocal;
        TopicNotes notes;
    };

    struct Hooks {
        // Runs once the topic is known to be a table, before the table is
        // redefined (the page shows itself and its gauge here).
        std::function<void()> started;
        ResultAssembly::Progress progress;
    };

    TableRun(Query &qValorNivel, Query &qAux, Query &qObservacao, ResultTable &cdsDados);

    // Runs the topic; returns false, having only emptied FAtributos, when the
    // topic is a heading and not a table. Errors end the run where they
    // happen: the rows appended so far stay, the table's display updates
    // resume and both queries close.
    bool run(const QString &topic, const SelectionState &selection, State &state, const Hooks &hooks = {});

  private:
    Query &m_qValorNivel;
    Query &m_qAux;
    Query &m_qObservacao;
    ResultTable &m_cdsDados;
};
