#include "core/export/export_drawing.h"

#include "core/chart/engine/chart_file.h"
#include "base/data/database.h"
#include "base/data/program_folder.h"
#include "base/data/query.h"
#include "base/data/safe_file.h"
#include "base/data/study_titles.h"
#include "base/data/text_utils.h"
#include "base/export/bad_input.h"
#include "core/export/chart_command.h"
#include "core/export/export_grid.h"
#include "core/export/export_report.h"
#include "core/export/map_command.h"
#include "core/export/varnik_export.h"
#include "core/map/map_drawing.h"
#include "core/map/map_file.h"
#include "base/table/table_run.h"

#include <QImage>

namespace ExportDrawing {
namespace {

using ExportCommand::isWorkbook;
using ExportCommand::Options;

// The shown text of a territory list: the name of the chosen key, or its
// "all" entry.
QString shownText(Database &db, const QString &table, int key, const QString &all) {
    if (key == 0)
        return all;
    Query query(db);
    query.sql() << QStringLiteral("select Descricao from %1").arg(table)
                << QStringLiteral(" where %1 = %2").arg(table).arg(key);
    query.open();
    return query.eof() ? all : query.fieldByName(QStringLiteral("Descricao")).asString();
}

QString topicTitle(Database &db, const QString &topic) {
    Query query(db);
    query.sql() << QStringLiteral("select Descricao from Nivel_Informacao")
                << QStringLiteral(" where Nivel_Informacao = '%1'").arg(topic);
    query.open();
    return query.eof() ? QString() : query.fieldByName(QStringLiteral("Descricao")).asString();
}

// The workbook the export dialog writes on the page for this run: the table
// on the data page, the picture on the map and chart pages.
void writeWorkbook(Database &db, TableRun &run, const Options &options, ExportReport::Page page,
                   const QString &path, const QImage &picture = QImage()) {
    const SelectionState &s = options.selection;
    const QString todas = QStringLiteral("<Todas>");
    const ExportReport::FilterTexts filters = {
        shownText(db, QStringLiteral("Municipio"), s.municipio, QStringLiteral("<Todos>")),
        shownText(db, QStringLiteral("Regiao_Metropolitana"), s.regiaoMetropolitana, todas),
        shownText(db, QStringLiteral("Micro_Regiao"), s.microRegiao, todas),
        shownText(db, QStringLiteral("Unidade_Federativa"), s.unidadeFederativa, todas),
        shownText(db, QStringLiteral("Regiao"), s.regiao, todas)};
    const QString FFiltro = ExportReport::FFiltro(filters);
    const QString agrupar = Grouping::texts().value(s.agrupar);
    const QStringList rodape = ExportReport::MontaRodape(page, agrupar, FFiltro, run.result().notes());
    TVarnikExport exporter;
    exporter.Hint = path;
    ExportGrid grid;
    if (page == ExportReport::kDataPage) {
        grid = ExportGrid::fromResultTable(run.cdsDados());
        const ExportReport::Header header = {
            QImage(ProgramFolder::file(QStringLiteral("Imagens/") + StudyTitles::kLogo)), StudyTitles::kTitulo1,
            StudyTitles::kTitulo2};
        ExportReport::prepareDataPage(exporter, grid, header, topicTitle(db, options.topic), agrupar, FFiltro, rodape);
    } else {
        ExportReport::preparePicturePage(exporter, picture, rodape);
    }
    exporter.Exporta();
    if (exporter.workbook()->savedPath() != path)
        throw BadInput(QStringLiteral("a planilha só é gravada com a extensão .xlsx ou .xls: \"%1\"")
                           .arg(TextUtils::shortened(path)));
}

} // namespace

bool write(Database &db, TableRun &tableRun, const Options &options,
           const std::function<void(const QString &)> &warn) {
    bool wrote = false;
    try {
        if (!options.mapa.isEmpty()) {
            const QImage map = MapCommand::picture(db, tableRun.result(), options.coluna, warn);
            if (isWorkbook(options.mapa))
                writeWorkbook(db, tableRun, options, ExportReport::kMapPage, options.mapa, map);
            else
                SafeFile::write(options.mapa, MapFile::encode(map, *MapFile::formatOf(options.mapa)));
            wrote = true;
        }
        if (!options.grafico.isEmpty()) {
            const ChartRenderer chart = ChartCommand::compose(db, tableRun, options);
            // The table is written whole, total rows included.
            tableRun.cdsDados().setFiltered(false);
            if (isWorkbook(options.grafico))
                writeWorkbook(db, tableRun, options, ExportReport::kChartPage, options.grafico,
                              chart.picture(options.tamanho));
            else
                ChartFile::save(options.grafico, chart, options.tamanho);
            wrote = true;
        }
        if (!options.workbook.isEmpty()) {
            writeWorkbook(db, tableRun, options, ExportReport::kDataPage, options.workbook);
            wrote = true;
        }
    } catch (const MapRefusal &e) {
        // A map the selection cannot have is the user's choice to mend, as
        // any other input the command refuses.
        throw BadInput(e.message());
    }
    return wrote;
}

} // namespace ExportDrawing
