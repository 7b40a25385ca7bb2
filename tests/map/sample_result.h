#pragma once

#include "base/data/database.h"
#include "base/data/query.h"
#include "base/table/current_result.h"
#include "base/table/result_table.h"
#include "base/table/table_run.h"
#include "core/map/map_drawing.h"

// A topic of the sample study run as the data page runs it, for the map:
// the study connected from the build's program folder, and the current
// result of a run with one column marked.
class SampleResult {
  public:
    SampleResult();
    ~SampleResult();

    // Runs topic "01.01.01" with the selection and marks the field.
    const CurrentResult &run(const SelectionState &selection, const QString &field = QStringLiteral("A01"));

    Database db;
    TableRun tableRun{db};
    ResultTable &cdsDados = tableRun.cdsDados();
};

SelectionState selection(int agrupar, int uf = 0, int rm = 0, int regiao = 0);

inline const QString kStudy = QStringLiteral(SOLVANE_PROGRAM_DIR);
