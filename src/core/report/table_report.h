#pragma once

#include <QImage>
#include <QPageLayout>
#include <QString>
#include <QStringList>

#include <functional>

class CurrentResult;
class Database;
class QPagedPaintDevice;
class ResultTable;

// The printed report of the current result, on A4 pages: a first page with
// the study's and the topic's titles, the grouping and filter line and the
// source and notes (the lines the workbook's header and footer take); then
// the table over as many pages as it needs, its column titles (nested ones
// included) repeated on every page, the total rows bold in their grid
// colours, figures right-aligned as the grid writes them; then, when given,
// the map and the chart of a column, each on a page of its own. Every page
// is numbered "Página n de m"; the pages are landscape when the table is
// wider than a portrait page. Texts stay texts. The PDF file and the
// window's printing paint the same composition.
namespace TableReport {

struct Contents {
    QStringList titleLines;
    QString grouping; // "Agrupado por: …"
    QString filter;   // the narrowest territory filter, as "Região: Nordeste"; empty for none
    QStringList footer;
    const ResultTable *table = nullptr;
    int totalKind = 0;
    QImage map; // none when null
    // Paints the chart, as vectors, into a rectangle of chartSize; none when
    // empty. The report scales it to the page.
    std::function<void(QPainter &, const QRect &)> chart;
    QSize chartSize{900, 600};
};

// The report's texts for the current result, read from the study as the
// workbook's are.
Contents contents(Database &database, const CurrentResult &result);

// Portrait, or landscape for a table wider than a portrait page.
QPageLayout::Orientation orientation(const Contents &contents);

// Paints every page on a device set to A4 in that orientation (a PDF writer,
// a printer).
void paint(QPagedPaintDevice &device, const Contents &contents);

// The report as a PDF file, written through the safe writer.
void writePdf(const QString &path, const Contents &contents);

} // namespace TableReport
