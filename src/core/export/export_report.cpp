#include "core/export/export_report.h"

#include "base/data/app_error.h"
#include "base/data/program_folder.h"
#include "base/data/query.h"
#include "base/data/scope_guard.h"
#include "base/data/study_schema.h"
#include "base/data/study_titles.h"
#include "base/data/text_utils.h"
#include "base/selection/place_names.h"
#include "base/table/current_result.h"
#include "base/table/topic_notes.h"
#include "core/export/export_grid.h"
#include "core/export/varnik_export.h"

namespace ExportReport {

namespace {

constexpr int kFilterLength = 60;
// A picture page keeps its first rows for the picture; the footer starts
// below them. A row of the sheet is 15 points high, 20 pixels of a picture.
constexpr int kPictureRows = 30;
constexpr int kRowPixels = 20;

// The picture shrunk, keeping its proportions, to the height of the picture
// rows, so that it leaves the footer in view; a picture that fits stays as
// it is.
QImage fittedToPictureRows(const QImage &picture) {
    constexpr int height = kPictureRows * kRowPixels;
    if (picture.height() <= height)
        return picture;
    return picture.scaledToHeight(height, Qt::SmoothTransformation);
}

} // namespace

QString topicTitle(Database &database, const QString &topic) {
    Query query(database);
    query.setActivity(QStringLiteral("ler o título do tópico %1").arg(topic));
    query.sql() << QStringLiteral("select %1 from %2").arg(StudySchema::kDescricao, StudySchema::kNivelInformacao)
                << QStringLiteral(" where %1 = '%2'").arg(StudySchema::kNivelInformacao, TextUtils::doubleQuotes(topic));
    query.open();
    return query.eof() ? QString() : query.fieldByName(StudySchema::kDescricao).asString();
}

FilterTexts filterTexts(Database &database, const SelectionState &s) {
    using namespace StudySchema;
    return {PlaceNames::of(database, kMunicipio, s.municipio).text,
            PlaceNames::of(database, kRegiaoMetropolitana, s.regiaoMetropolitana).text,
            PlaceNames::of(database, kMicroRegiao, s.microRegiao).text,
            PlaceNames::of(database, kUnidadeFederativa, s.unidadeFederativa).text,
            PlaceNames::of(database, kRegiao, s.regiao).text};
}

QString FFiltro(const FilterTexts &lists) {
    const struct {
        const QString &shown;
        QString all;
        QString label;
    } order[] = {
        {lists.municipio, QStringLiteral("<Todos>"), QStringLiteral("Município: ")},
        {lists.regMetrop, QStringLiteral("<Todas>"), QStringLiteral("Região Metropolitana: ")},
        {lists.microReg, QStringLiteral("<Todas>"), QStringLiteral("Microrregião: ")},
        {lists.uf, QStringLiteral("<Todas>"), QStringLiteral("Unidade Federação: ")},
        {lists.regiao, QStringLiteral("<Todas>"), QStringLiteral("Região: ")},
    };
    for (const auto &list : order) {
        const QString trimmed = list.shown.trimmed();
        if (!trimmed.isEmpty() && trimmed != list.all)
            return (list.label + list.shown).left(kFilterLength);
    }
    return QString();
}

QStringList MontaRodape(Page page, const QString &agrupar, const QString &FFiltro, const TopicNotes &notes) {
    QStringList rodape;
    if (page == kDataPage)
        rodape << QString();
    if (page == kChartPage)
        rodape << QStringLiteral("Agrupado por: ") + agrupar + QStringLiteral(";;;") + FFiltro << QString();
    rodape << QStringLiteral(" - - - Fonte - - -") << QString();
    rodape << QStringLiteral("     Rede Solvane Brasil - Núcleo de Estatística (dados de amostra, figuras sintéticas)")
           << QStringLiteral("     Estudo Solvane: Necessidades Habitacionais no Brasil - Censo 2000 "
                             "(edição de demonstração)");
    if (notes.nota1Visible) {
        rodape << QString() << QString() << QStringLiteral(" - - - Notas - - -") << QString();
        if (notes.nota20000Visible)
            rodape << QString(12, u' ') + TopicNotes::kNota20000;
        if (notes.notaVisible)
            rodape << notes.lines;
    }
    return rodape;
}

void prepareDataPage(TVarnikExport &exporter, const ExportGrid &grid, const Header &header,
                     const QString &tituloDados, const QString &agrupar, const QString &FFiltro,
                     const QStringList &rodape) {
    exporter.GridExportado = &grid;
    exporter.ImagemCabecalho = header.logo;
    exporter.LinhasImagem = 6;
    exporter.ColunaCabecalho = 2;
    exporter.ColunaCabecalhoFiltro = 2;
    exporter.Cabecalho = {QString(), header.titulo1, header.titulo2};
    exporter.CabecalhoFiltro = {QString(), tituloDados, QString(),
                                QStringLiteral("Agrupado por: ") + agrupar + QStringLiteral(";;;") + FFiltro};
    exporter.Rodape = rodape;
}

void preparePicturePage(TVarnikExport &exporter, const QImage &picture, const QStringList &rodape) {
    exporter.GridExportado = nullptr;
    exporter.ImagemCabecalho = fittedToPictureRows(picture);
    exporter.LinhasImagem = kPictureRows;
    exporter.ColunaCabecalho = 0;
    exporter.Cabecalho.clear();
    exporter.CabecalhoFiltro.clear();
    exporter.Rodape = rodape;
}

void writeWorkbook(TVarnikExport &exporter, Database &database, const CurrentResult &result, Page page,
                   const QImage &picture, const QString &path) {
    const QString filtro = FFiltro(filterTexts(database, result.selection()));
    const QString agrupar = Grouping::texts().value(result.grouping());
    const QStringList rodape = MontaRodape(page, agrupar, filtro, result.notes());
    ExportGrid grid;
    if (page == kDataPage) {
        grid = ExportGrid::fromResultTable(result.cdsDados());
        const Header header = {QImage(ProgramFolder::file(QStringLiteral("Imagens/") + StudyTitles::kLogo)),
                               StudyTitles::kTitulo1, StudyTitles::kTitulo2};
        prepareDataPage(exporter, grid, header, topicTitle(database, result.topic()), agrupar, filtro, rodape);
    } else {
        preparePicturePage(exporter, picture, rodape);
    }
    // The grid lives only for this export.
    ScopeGuard forget([&exporter] { exporter.GridExportado = nullptr; });
    exporter.Hint = path;
    exporter.Exporta();
    if (exporter.workbook()->savedPath() != path)
        throw AppError(QStringLiteral("Exportando a planilha \"%1\": a planilha só é gravada em um arquivo de "
                                      "extensão .Xlsx ou .Xls; nada foi gravado.")
                           .arg(path));
}

} // namespace ExportReport
