#pragma once

#include "base/data/database.h"
#include "base/data/query.h"
#include "base/table/result_table.h"
#include "base/table/table_run.h"
#include "support/fixture_database.h"

#include <QString>

// The shared small study plus the table "010102" (topic "01.01.02"): a
// catalogue with a group holding a percentage and a survey-sample figure and
// a top-level figure, rows of every kind (municipalities, "DEMAIS" rows of a
// state, a region and the country, micro-regions, a metropolitan region and
// its total, states, regions, the country) and notes of four lines; and the
// table "020101" whose catalogue names a column the table lacks.
QString tableFixtureSql();

// A selection grouped by the given index, with the territory keys given.
SelectionState selection(int agrupar, int regiao = 0, int uf = 0, int micro = 0, int rm = 0, int municipio = 0);

// That study connected, with a query run on it and its result.
struct TableFixture {
    TableFixture();

    FixtureDatabase fixture;
    Database db;
    TableRun tableRun{db};
    ResultTable &cdsDados = tableRun.cdsDados();
    const CurrentResult &result = tableRun.result();
};
