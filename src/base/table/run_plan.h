#pragma once

#include "base/selection/selection_state.h"

#include <QString>
#include <optional>

// Which territory columns of the result table a run shows.
struct ShownTerritory {
    bool regiao = false;
    bool unidadeFederativa = false;
    bool microRegiao = false;
    bool regiaoMetropolitana = false;
    bool municipio = false;
};

// What one run of a topic does, worked out once from the topic and the
// selection: the statement, the result table and its fill all follow it.
struct RunPlan {
    // The municipality list: every territory column shown, no row kinds.
    bool municipalityList = false;
    ShownTerritory shown;

    // The two row kinds a table topic's statement selects (RowKind values):
    // the detail rows, of the grouping's own level, and the summed rows that
    // total them. Grouped by municipality, the summed rows are those of the
    // finest territory filtered, and below a state the statement also keeps
    // the "DEMAIS" rows that stand for the small towns (demaisRows).
    int detailKind = 0;
    int summedKind = 0;
    bool demaisRows = false;

    // The kind of the total rows: the grid colours them, the map and the
    // chart leave them out. None for the municipality list, whose run keeps
    // the total-row kind of the run before it.
    std::optional<int> totalKind;

    static RunPlan of(const QString &topic, const SelectionState &selection);
};
