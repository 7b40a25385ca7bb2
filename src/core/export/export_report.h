#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

class CurrentResult;
class Database;
class TVarnikExport;
struct ExportGrid;
struct SelectionState;
struct TopicNotes;

// What an export writes around the table, the map or the chart: the filter
// description, the footer, and the exporter's settings for each page. The
// export dialog and the command-line exporter compose their workbooks here,
// so both write the same file.
namespace ExportReport {

enum Page { kDataPage = 0, kMapPage = 1, kChartPage = 2 };

// The title of a topic in the catalogue; empty when it has none.
QString topicTitle(Database &database, const QString &topic);

// The shown texts of the territory lists.
struct FilterTexts {
    QString municipio, regMetrop, microReg, uf, regiao;
};

// The shown texts of the territory lists for a selection, read from the study.
FilterTexts filterTexts(Database &database, const SelectionState &selection);

// The narrowest territory filter in force, as "Município: Recife" (the
// first list that is set, from the municipality up to the region); empty
// when every list is on its "all" entry. At most 60 characters.
QString FFiltro(const FilterTexts &lists);

// The footer lines: the grouping line (chart page), the source, and the notes
// of the table when they are shown.
QStringList MontaRodape(Page page, const QString &agrupar, const QString &FFiltro, const TopicNotes &notes);

// The study's header as the main window shows it.
struct Header {
    QImage logo;
    QString titulo1, titulo2;
};

// The data page's workbook: the logo, the study's titles from column B, the
// table's title and the grouping and filter line, the table and the footer.
void prepareDataPage(TVarnikExport &exporter, const ExportGrid &grid, const Header &header,
                     const QString &tituloDados, const QString &agrupar, const QString &FFiltro,
                     const QStringList &rodape);

// The map or chart page's workbook: the picture in the first 30 rows (shrunk
// to their height when it is taller, keeping its proportions), then the
// footer from row 31.
void preparePicturePage(TVarnikExport &exporter, const QImage &picture, const QStringList &rodape);

// The workbook the export writes on the page for the current result, saved
// at path: on the data page the table under the study's header, with the
// topic's title and the grouping and filter line of the run; on the map and
// chart pages the picture; then the footer. Its texts are read from the
// study for the selection the result ran with, so the window and the
// command line write the same workbook. A path without ".xls" in its name
// saves nothing and raises AppError, as do the file's own errors.
void writeWorkbook(TVarnikExport &exporter, Database &database, const CurrentResult &result, Page page,
                   const QImage &picture, const QString &path);

} // namespace ExportReport
