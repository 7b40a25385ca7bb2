#pragma once

#include "base/export/export_options.h"

#include <functional>

class CurrentResult;
class Database;

// What solvane-export draws from a run: the map picture or chart of --mapa
// and --grafico (or, for a ".xlsx" name, the workbook the export dialog
// writes on that page) and the workbook of --planilha. It needs the fonts
// and pictures of a graphical application, which the delimited text does not.
namespace ExportDrawing {

// Writes the files the options ask for and returns whether it wrote any.
// A column the topic lacks, a chart choice the column refuses, a map the
// selection cannot have raise BadInput before any file is written; the files' own errors AppError. warn
// receives notes on the way (a saved legend that could not be used).
bool write(Database &db, const CurrentResult &result, const ExportCommand::Options &options,
           const std::function<void(const QString &)> &warn);

} // namespace ExportDrawing
