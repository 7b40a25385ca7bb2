#pragma once

#include "base/table/attribute_line.h"
#include "base/table/run_plan.h"

#include <QStringList>
#include <functional>

class Query;
class ResultTable;

// The three steps that turn the rows of the value query into the result
// table: define its fields, label them, fill the rows.
namespace ResultAssembly {

// Closes the table, defines its fixed fields, lets the catalogue of the
// topic's table append the attribute fields (and their FAtributos lines),
// creates the table empty and shows the territory columns of the run.
void define(ResultTable &cdsDados, const QString &topic, const RunPlan &plan, Query &qAux, QStringList &FAtributos);

// Titles, widths, formats, tags and display handlers, from the lines of
// FAtributos. Returns the finest shown territory field, or campoLocal
// unchanged for the municipality list.
QString label(ResultTable &cdsDados, const RunPlan &plan, const std::vector<AttributeLine> &attributes,
              const QString &campoLocal);

// Progress of the fill: called with the row count first, then once per row.
struct Progress {
    std::function<void(int maximum)> start;
    std::function<void(int position)> step;
};

// Appends one row per row of the open value query, turning display texts
// into names and the total row (kind totalKind) into "TOTAL" texts. Display
// updates of the table are suspended on entry; the caller resumes them.
void fill(ResultTable &cdsDados, Query &qValorNivel, const RunPlan &plan, int totalKind,
          const std::vector<AttributeLine> &attributes, const Progress &progress);

// Takes each row assembled, which the table holds alone as its row 0.
using RowSink = std::function<void(const ResultTable &cdsDados, int row)>;

// fill for a reader that needs each row once, in order: the value query is
// read forward (openForward), each row is assembled as fill assembles it and
// handed to sink, and the table keeps none, so the memory taken does not
// grow with the rows. The table ends empty, its display updates suspended.
void stream(ResultTable &cdsDados, Query &qValorNivel, const RunPlan &plan, int totalKind,
            const std::vector<AttributeLine> &attributes, const RowSink &sink);

} // namespace ResultAssembly
