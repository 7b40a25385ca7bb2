#pragma once

#include "base/data/query.h"
#include "base/data/study_schema.h"
#include "base/selection/selection_state.h"
#include "base/table/column_mark.h"
#include "base/table/result_table.h"
#include "base/table/run_plan.h"
#include "base/table/topic_notes.h"

#include <QStringList>

class Database;

// The result of the last query run: the result table cdsDados and its value
// query qValorNivel, the attribute lines FAtributos, the finest shown
// territory field FCampoLocal, the column mark (FCampoMarcado,
// FCampoPercentual), the total-row kind, and the topic, selection and plan
// it ran with. The table side (TableRun) writes it; every other part of the
// program reads it through a const reference.
class CurrentResult {
  public:
    explicit CurrentResult(Database &database);

    const QString &topic() const { return m_topic; }
    const SelectionState &selection() const { return m_selection; }
    Grouping::Level grouping() const { return m_selection.agrupar; }
    const RunPlan &plan() const { return m_plan; }
    bool isMunicipalityList() const { return m_plan.municipalityList; }

    const ResultTable &cdsDados() const { return m_cdsDados; }
    const Query &qValorNivel() const { return m_qValorNivel; }
    const QStringList &FAtributos() const { return m_FAtributos; }
    const QString &FCampoLocal() const { return m_FCampoLocal; }
    // The kind of the total rows, kept by a run of the municipality list.
    int totalKind() const { return m_totalKind; }
    const TopicNotes &notes() const { return m_notes; }

    // The marked figure column; FCampoMarcado empty when none is marked.
    const ColumnMark &mark() const { return m_mark; }
    const QString &FCampoMarcado() const { return m_mark.FCampoMarcado; }
    const QString &FCampoPercentual() const { return m_mark.FCampoPercentual; }

  private:
    friend class TableRun;

    QString m_topic;
    SelectionState m_selection;
    RunPlan m_plan;
    ResultTable m_cdsDados;
    Query m_qValorNivel;
    QStringList m_FAtributos;
    // A run that shows no territory column (one region grouped by region)
    // keeps the label of the run before. Before any run it is the region,
    // the territory the window's opening view shows (every region, grouped
    // by region): a first run that shows none labels its rows by region, as
    // the window does after a topic's opening run, instead of by no field.
    QString m_FCampoLocal = StudySchema::kRegiao;
    int m_totalKind = 0;
    TopicNotes m_notes;
    ColumnMark m_mark;
};
