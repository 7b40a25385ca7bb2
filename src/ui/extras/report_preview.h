#pragma once

#include "core/report/table_report.h"

class QWidget;

// The print preview of a report (Ctrl+P): its pages as they will print, and
// printing to a printer or to a PDF file through the dialog.
namespace ReportPreview {

void show(QWidget *parent, const TableReport::Contents &contents);

} // namespace ReportPreview
