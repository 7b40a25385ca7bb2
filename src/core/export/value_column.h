#pragma once

#include <QString>

class CurrentResult;
class ResultField;
struct ColumnMark;

// A figure column of the current result named as on the command line: by
// the data column's own name, as a click on its title marks it.
namespace ValueColumn {

// The value field whose data column is name (compared ignoring case).
// Raises BadInput when the topic has no such value column.
const ResultField &find(const CurrentResult &result, const QString &name);

// The same field marked as a click on its title marks it, for the map and
// the chart of that column.
ColumnMark mark(const CurrentResult &result, const QString &name);

} // namespace ValueColumn
