#pragma once

#include "base/selection/selection_state.h"
#include "base/table/current_result.h"
#include "base/table/result_assembly.h"

#include <functional>

class Database;
class Query;
class ResultTable;

// One query run of a topic without any window: the catalogue, the statement,
// the result table with its labels and rows, and the notes. It owns the
// queries of the run and the current result, which it alone writes. The
// program's data page and the command-line exporter both run it; the page
// adds what the user sees around it (section, gauge, cursor, panels).
class TableRun {
  public:
    struct Hooks {
        // Runs once the topic is known to be a table, before the table is
        // redefined (the page shows itself and its gauge here).
        std::function<void()> started;
        ResultAssembly::Progress progress;
        // Set, the run hands each row over as it is assembled instead of
        // keeping it, for a caller that reads every row once, in order (the
        // command line writing a text): labelled runs once the table's
        // fields are defined and labelled, then rows takes each row, which
        // the table holds alone; the table ends empty. Progress is not
        // reported: the row count is not known beforehand.
        std::function<void(const CurrentResult &result)> labelled;
        ResultAssembly::RowSink rows;
    };

    explicit TableRun(Database &database);

    // Runs the topic; returns false, having only emptied FAtributos, when the
    // topic is a heading and not a table. Errors end the run where they
    // happen: the rows appended so far stay, the table's display updates
    // resume and both queries close.
    bool run(const QString &topic, const SelectionState &selection, const Hooks &hooks = {});

    const CurrentResult &result() const { return m_result; }

    // The result table for its owner, which binds the grid to it and closes
    // it; the value query and the catalogue and notes queries, for a look at
    // their statements.
    ResultTable &cdsDados() { return m_result.m_cdsDados; }
    const Query &qAux() const { return m_qAux; }
    const Query &qObservacao() const { return m_qObservacao; }

    // A click on a figure title: marks its column, or removes the mark when
    // it is the marked one. Names are cut to 50 characters.
    void markColumn(int column, const QString &name, const QString &fullName);
    void clearMark();

    // The result table closed: its notes query closes with it.
    void closeNotes();

    // The window closes: the value query and the result table close and the
    // attribute lines are emptied.
    void close();

  private:
    CurrentResult m_result;
    Query m_qAux;
    Query m_qObservacao;
};
