#include "core/report/table_report.h"

#include "base/data/safe_file.h"
#include "base/data/study_schema.h"
#include "base/data/study_titles.h"
#include "base/selection/grouping.h"
#include "base/table/current_result.h"
#include "base/table/result_table.h"
#include "base/table/title_layout.h"
#include "core/drawing/windows_fonts.h"
#include "core/chart/engine/chart_renderer.h"
#include "core/export/export_report.h"
#include "core/map/map_vectors.h"
#include "core/table/cell_colors.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <memory>

namespace TableReport {
namespace {

// Everything is laid out in points (1/72 inch) on A4.
const QSizeF kA4Portrait(595.0, 842.0);
constexpr double kMargin = 36.0;
constexpr double kPadding = 3.0;
constexpr double kNarrowest = 28.0;  // a column's least width
constexpr double kWidestTitle = 120.0; // a title wraps beyond this
constexpr double kFooterBand = 24.0;  // the page number's band

// Sizes in points, which are the painter's units: as pixel sizes they scale
// with the painter, whatever the device's resolution.
QFont reportFont(int points, bool bold = false) {
    QFont font = WindowsFonts::pixelFont(QStringLiteral("Arial"), points);
    font.setBold(bold);
    return font;
}

QSizeF pageSize(QPageLayout::Orientation orientation) {
    return orientation == QPageLayout::Portrait ? kA4Portrait : kA4Portrait.transposed();
}

// The table's columns and title rows measured at the body's font.
struct TableGeometry {
    TitleLayout layout;
    std::vector<double> widths;
    std::vector<double> levelHeights;
    double rowHeight = 0;
    double titlesHeight = 0;
    double width = 0;

    double left(int column) const {
        double x = 0;
        for (int c = 0; c < column; ++c)
            x += widths[size_t(c)];
        return x;
    }
};

double wrappedHeight(const QFontMetricsF &metrics, const QString &text, double width) {
    return metrics.boundingRect(QRectF(0, 0, width - 2 * kPadding, 1e6), Qt::TextWordWrap | Qt::AlignCenter, text)
               .height() +
           2 * kPadding;
}

TableGeometry measure(const ResultTable &table) {
    TableGeometry g;
    g.layout = TitleLayout::of(table);
    const QFontMetricsF body(reportFont(7));
    const QFontMetricsF bold(reportFont(7, true));
    for (const int field : g.layout.columns) {
        double width = kNarrowest;
        for (int row = 0; row < table.recordCount(); ++row)
            width = std::max(width, bold.horizontalAdvance(table.displayText(row, field)) + 2 * kPadding);
        // A title wraps at its words, up to a widest line.
        for (const QString &word : table.field(field).displayLabel().split(QLatin1Char(' ')))
            width = std::max(width, std::min(kWidestTitle, bold.horizontalAdvance(word) + 2 * kPadding));
        g.widths.push_back(width);
    }
    g.rowHeight = body.height() + 2 * kPadding;
    g.levelHeights.assign(size_t(g.layout.levels), bold.height() + 2 * kPadding);
    for (const TitleLayout::Title &title : g.layout.titles) {
        double width = 0;
        for (int c = title.first; c < title.first + title.span; ++c)
            width += g.widths[size_t(c)];
        const double needed = wrappedHeight(bold, table.field(title.field).displayLabel(), width);
        // A title over several rows takes what it lacks in its last one.
        double have = 0;
        for (int level = title.level; level < title.level + title.rows - 1; ++level)
            have += g.levelHeights[size_t(level)];
        double &last = g.levelHeights[size_t(title.level + title.rows - 1)];
        last = std::max(last, needed - have);
    }
    for (const double height : g.levelHeights)
        g.titlesHeight += height;
    for (const double width : g.widths)
        g.width += width;
    return g;
}

// How the pages fall: the rows of each table page.
struct Plan {
    QSizeF page;
    double scale = 1; // the table shrunk to the page's width
    int rowsPerPage = 1;
    int tablePages = 0;
    int totalPages = 0;
};

Plan plan(const Contents &contents, const TableGeometry &g) {
    Plan p;
    p.page = pageSize(orientation(contents));
    const double usable = p.page.width() - 2 * kMargin;
    p.scale = g.width > usable ? usable / g.width : 1.0;
    const double rowsRoom = (p.page.height() - 2 * kMargin - kFooterBand) / p.scale - g.titlesHeight;
    p.rowsPerPage = std::max(1, int(rowsRoom / g.rowHeight));
    const int rows = contents.table ? contents.table->recordCount() : 0;
    p.tablePages = contents.table ? std::max(1, (rows + p.rowsPerPage - 1) / p.rowsPerPage) : 0;
    p.totalPages = 1 + p.tablePages + (contents.map ? 1 : 0) + (contents.chart ? 1 : 0);
    return p;
}

void paintPageNumber(QPainter &painter, const Plan &p, int page) {
    painter.setFont(reportFont(8));
    painter.setPen(Qt::black);
    painter.drawText(QRectF(kMargin, p.page.height() - kMargin - kFooterBand + 8, p.page.width() - 2 * kMargin,
                            kFooterBand - 8),
                     Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Página %1 de %2").arg(page).arg(p.totalPages));
}

void paintFirstPage(QPainter &painter, const Contents &contents, const Plan &p) {
    const double width = p.page.width() - 2 * kMargin;
    double y = kMargin;
    const auto line = [&](const QString &text, const QFont &font, double gap) {
        painter.setFont(font);
        const QRectF box = painter.boundingRect(QRectF(kMargin, y, width, 1e6), Qt::TextWordWrap, text);
        painter.drawText(QRectF(kMargin, y, width, box.height()), Qt::TextWordWrap, text);
        y += std::max(box.height(), QFontMetricsF(font).height()) + gap;
    };
    for (int i = 0; i < contents.titleLines.size(); ++i)
        line(contents.titleLines[i], reportFont(i == contents.titleLines.size() - 1 ? 14 : 11, true), 4);
    y += 8;
    line(contents.grouping, reportFont(10), 2);
    if (!contents.filter.isEmpty())
        line(contents.filter, reportFont(10), 2);
    y += 14;
    for (const QString &footer : contents.footer)
        line(footer, reportFont(9), 1);
}

void paintTitles(QPainter &painter, const ResultTable &table, const TableGeometry &g) {
    painter.setFont(reportFont(7, true));
    for (const TitleLayout::Title &title : g.layout.titles) {
        double top = 0;
        for (int level = 0; level < title.level; ++level)
            top += g.levelHeights[size_t(level)];
        double height = 0;
        for (int level = title.level; level < title.level + title.rows; ++level)
            height += g.levelHeights[size_t(level)];
        double width = 0;
        for (int c = title.first; c < title.first + title.span; ++c)
            width += g.widths[size_t(c)];
        const QRectF cell(g.left(title.first), top, width, height);
        painter.fillRect(cell, CellColors::titleBackground());
        painter.setPen(QColor(128, 128, 128));
        painter.drawRect(cell);
        painter.setPen(Qt::black);
        painter.drawText(cell.adjusted(kPadding, kPadding, -kPadding, -kPadding), Qt::AlignCenter | Qt::TextWordWrap,
                         table.field(title.field).displayLabel());
    }
}

void paintRows(QPainter &painter, const Contents &contents, const TableGeometry &g, int first, int count) {
    const ResultTable &table = *contents.table;
    const int kindField = table.findField(StudySchema::kTipoRegistro);
    for (int i = 0; i < count; ++i) {
        const int row = first + i;
        const bool total = kindField >= 0 && table.asInteger(row, kindField) == contents.totalKind;
        painter.setFont(reportFont(7, total));
        const double top = g.titlesHeight + i * g.rowHeight;
        for (size_t c = 0; c < g.layout.columns.size(); ++c) {
            const int field = g.layout.columns[c];
            const QRectF cell(g.left(int(c)), top, g.widths[c], g.rowHeight);
            painter.fillRect(cell, CellColors::brush(total, row + 1, false));
            painter.setPen(QColor(192, 192, 192));
            painter.drawRect(cell);
            painter.setPen(Qt::black);
            const Qt::Alignment side = table.field(field).isNumeric() ? Qt::AlignRight : Qt::AlignLeft;
            painter.drawText(cell.adjusted(kPadding, 0, -kPadding, 0), side | Qt::AlignVCenter,
                             table.displayText(row, field));
        }
    }
}

// A picture as large as the page leaves room for, keeping its proportions.
void paintPicturePage(QPainter &painter, const Plan &p, const Contents::Picture &picture) {
    const QRectF room(kMargin, kMargin, p.page.width() - 2 * kMargin, p.page.height() - 2 * kMargin - kFooterBand);
    const QSizeF size = QSizeF(picture.size).scaled(room.size(), Qt::KeepAspectRatio);
    painter.save();
    painter.translate(room.topLeft());
    painter.scale(size.width() / picture.size.width(), size.height() / picture.size.height());
    picture.paint(painter);
    painter.restore();
}

} // namespace

Contents contents(Database &database, const CurrentResult &result) {
    Contents c;
    c.titleLines = {StudyTitles::kTitulo1, StudyTitles::kTitulo2, ExportReport::topicTitle(database, result.topic())};
    const QString agrupar = Grouping::texts().value(result.grouping());
    const QString filtro = ExportReport::FFiltro(ExportReport::filterTexts(database, result.selection()));
    c.grouping = QStringLiteral("Agrupado por: ") + agrupar;
    c.filter = filtro;
    c.footer = ExportReport::MontaRodape(ExportReport::kDataPage, agrupar, filtro, result.notes());
    c.table = &result.cdsDados();
    c.totalKind = result.totalKind();
    return c;
}

Contents::Picture mapPicture(const MapResult &map) {
    const auto vectors = std::make_shared<const MapVectors>(map);
    return {vectors->size(), [vectors](QPainter &painter) { vectors->paint(painter); }};
}

Contents::Picture chartPicture(const ChartRenderer &chart, QSize size) {
    return {size, [&chart, size](QPainter &painter) { chart.draw(painter, QRect(QPoint(), size)); }};
}

QPageLayout::Orientation orientation(const Contents &contents) {
    if (!contents.table)
        return QPageLayout::Portrait;
    return measure(*contents.table).width > kA4Portrait.width() - 2 * kMargin ? QPageLayout::Landscape
                                                                                : QPageLayout::Portrait;
}

void paint(QPagedPaintDevice &device, const Contents &contents) {
    const TableGeometry g = contents.table ? measure(*contents.table) : TableGeometry();
    const Plan p = plan(contents, g);
    QPainter painter(&device);
    // One unit is a point, whatever the device's resolution.
    painter.scale(device.logicalDpiX() / 72.0, device.logicalDpiY() / 72.0);
    int page = 1;
    const auto nextPage = [&] {
        paintPageNumber(painter, p, page++);
        device.newPage();
    };
    paintFirstPage(painter, contents, p);
    for (int t = 0; t < p.tablePages; ++t) {
        nextPage();
        painter.save();
        painter.translate(kMargin, kMargin);
        painter.scale(p.scale, p.scale);
        paintTitles(painter, *contents.table, g);
        const int first = t * p.rowsPerPage;
        paintRows(painter, contents, g, first, std::min(p.rowsPerPage, contents.table->recordCount() - first));
        painter.restore();
    }
    for (const Contents::Picture *picture : {&contents.map, &contents.chart}) {
        if (!*picture)
            continue;
        nextPage();
        paintPicturePage(painter, p, *picture);
    }
    paintPageNumber(painter, p, page);
}

void writePdf(const QString &path, const Contents &contents) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setCreator(QStringLiteral("Solvane"));
        writer.setTitle(contents.titleLines.value(contents.titleLines.size() - 1));
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), orientation(contents), QMarginsF()));
        paint(writer, contents);
    }
    SafeFile::write(path, bytes);
}

} // namespace TableReport
