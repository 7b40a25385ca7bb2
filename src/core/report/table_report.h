#pragma once

#include <QSize>
#include <QPageLayout>
#include <QString>
#include <QStringList>

#include <functional>

class ChartRenderer;
class CurrentResult;
class Database;
class QPagedPaintDevice;
class QPainter;
class ResultTable;
struct MapResult;

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
    // A picture on a page of its own, painted as vectors at its size from
    // the painter's origin; the report scales it to the page.
    struct Picture {
        QSize size;
        std::function<void(QPainter &)> paint;
        explicit operator bool() const { return bool(paint); }
    };
    Picture map;
    Picture chart;
};

// The report's texts for the current result, read from the study as the
// workbook's are.
Contents contents(Database &database, const CurrentResult &result);

// The map of a result as the report shows it: its vectors, traced from the
// areas (MapVectors).
Contents::Picture mapPicture(const MapResult &map);
// A chart at a size, as vectors; the chart must outlive the contents.
Contents::Picture chartPicture(const ChartRenderer &chart, QSize size);

// Portrait, or landscape for a table wider than a portrait page.
QPageLayout::Orientation orientation(const Contents &contents);

// Paints every page on a device set to A4 in that orientation (a PDF writer,
// a printer).
void paint(QPagedPaintDevice &device, const Contents &contents);

// The report as a PDF file, written through the safe writer.
void writePdf(const QString &path, const Contents &contents);

} // namespace TableReport
