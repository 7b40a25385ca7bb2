#pragma once

#include "base/export/export_options.h"
#include "core/chart/engine/chart_renderer.h"

class CurrentResult;
class Database;

// The chart of a figure column from the command line, drawn by the same
// code as the chart page.
namespace ChartCommand {

// The chart of the --coluna column as the chart page draws it: the detail
// rows only, titled as the map, with the type, identifier and legend of the
// options. As in the window, a percentage column has no pie and no
// "percentual" identifier, and its type defaults to points. A refused
// choice or an unknown column raises BadInput; database and file errors
// raise AppError.
ChartRenderer compose(Database &database, const CurrentResult &result, const ExportCommand::Options &options);

} // namespace ChartCommand
