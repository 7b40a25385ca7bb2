#include "core/export/export_report.h"

#include "core/export/varnik_export.h"
#include "base/table/topic_notes.h"

namespace ExportReport {

namespace {

constexpr int kFilterLength = 60;

} // namespace

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
    exporter.ImagemCabecalho = picture;
    exporter.LinhasImagem = 30;
    exporter.ColunaCabecalho = 0;
    exporter.Cabecalho.clear();
    exporter.CabecalhoFiltro.clear();
    exporter.Rodape = rodape;
}

} // namespace ExportReport
