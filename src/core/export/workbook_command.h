#pragma once

#include "base/export/export_options.h"
#include "core/export/export_report.h"

#include <QImage>
#include <functional>

class CurrentResult;
class Database;

// The workbooks solvane-export writes: the one of the table (--planilha)
// and, for the drawing step, the one of a map or chart picture. A workbook
// needs Qt's pictures (the logo) but no fonts, so the workbook of the table
// is written by a program with no graphical application.
namespace WorkbookCommand {

// The workbook the export dialog writes on the page for this run: the table
// on the data page, the picture on the map and chart pages. Its name ends
// in ".xlsx", as the options require.
void writePage(Database &db, const CurrentResult &result, ExportReport::Page page, const QString &path,
               const QImage &picture = QImage());

// The workbook of the table, when the options ask for one; returns whether
// it wrote one.
bool writeTable(Database &db, const CurrentResult &result, const ExportCommand::Options &options);

// The drawing step of the program that writes workbooks and draws nothing:
// the workbook of the table alone. A map or a chart asked of it raises
// AppError before any file is written.
bool write(Database &db, const CurrentResult &result, const ExportCommand::Options &options,
           const std::function<void(const QString &)> &warn);

} // namespace WorkbookCommand
