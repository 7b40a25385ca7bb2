#pragma once

#include "base/chart/chart_choice.h"
#include "core/chart/engine/chart_settings.h"

#include <QStringList>

class CurrentResult;
class Database;
class ResultTable;

// Turns the marked column of a result table into what the chart engine
// draws, the same for the window and the command line.
namespace ChartComposer {

// Whether the field is a percentage column (shown as "##0.00"): it has no
// pie and no "Percentual" identifier.
bool isPercentageColumn(const ResultTable &table, const QString &field);

// The series a picture draws; its index is the chart type.
SeriesKind seriesOf(ChartPicture picture);

// One point per detail row of the table, in table order (a row whose kind
// is totalKind is a total, and no point): the value from the field
// valueField, the label as the grid shows the field labelField. The title
// lines, marks, legend text, mark lines, 3D view and axis labels follow the
// choice. A null value counts as no value.
ChartSettings compose(const ResultTable &table, const QString &valueField, const QString &labelField, int totalKind,
                      const QStringList &titleLines, const ChartChoice &choice);

// The chart of the figure field valueField of the current result, as the
// chart page shows it: its detail rows labelled by the finest shown
// territory, titled by the topic's title lines and the column's title, as
// the map is. Database errors raise AppError.
ChartSettings compose(Database &database, const CurrentResult &result, const QString &valueField,
                      const ChartChoice &choice);

} // namespace ChartComposer
