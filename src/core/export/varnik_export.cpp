#include "core/export/varnik_export.h"

#include "base/data/app_error.h"
#include "base/data/scope_guard.h"
#include "core/export/grid_rows.h"
#include "core/export/grid_titles.h"
#include "core/export/sheet_fill.h"

#include <cmath>

namespace {

constexpr int kHeaderColor = 30444; // orange
constexpr int kFilterColor = 2077948; // amber

} // namespace

TVarnikExport::TVarnikExport(const Owner *owner, Feedback *feedback) : m_owner(owner), m_feedback(feedback) {}

TVarnikExport::~TVarnikExport() { message(QString()); }

void TVarnikExport::message(const QString &text) const {
    if (m_feedback)
        m_feedback->ExibeMensagem(text);
}

void TVarnikExport::Exporta() {
    message(QString());
    if (m_feedback)
        m_feedback->setWaitHeight(80);
    message(QStringLiteral("Exportando dados para o Microsoft Excel..."));
    ScopeGuard hideWait([this] { message(QString()); });

    m_workbook = std::make_unique<MemoryWorkbook>();
    SheetAutomation &sheet = *m_workbook;
    sheet.setDisplayAlerts(false);
    sheet.addWorkbook();
    sheet.setScreenUpdating(true);
    sheet.setSheetName(QStringLiteral("Relatórios via Excel"));
    PreenchePlanilha(sheet);
    sheet.setDisplayAlerts(true);
    // The file is replaced only once the new one is complete, so an export
    // that fails keeps the previous file.
    if (Hint.toUpper().contains(QLatin1String(".XLS")))
        sheet.saveAs(Hint);
}

void TVarnikExport::PreenchePlanilha(SheetAutomation &sheet) {
    sheet.setVisible(false);
    // The pictures go into the sheet as they are, with no bitmap file on
    // the way: a file of their own would only be read back, and the reader
    // refuses the largest pictures the program draws.
    if (!ImagemCabecalho.isNull())
        sheet.paste(ImagemCabecalho);

    FGridOriginal = GridExportado;
    SheetFill fill{sheet, ExportarCores, SepDecimalDefault};

    if (ColunaCabecalho == 0)
        ColunaCabecalho = 1;
    for (const QString &line : std::as_const(Cabecalho)) {
        fill.column = SheetColumn::fromNumber(ColunaCabecalho);
        ++fill.row;
        writeLine(fill, line, kHeaderColor);
    }
    if (ColunaCabecalhoFiltro == 0)
        ColunaCabecalhoFiltro = 1;
    for (const QString &line : std::as_const(CabecalhoFiltro)) {
        fill.column = SheetColumn::fromNumber(ColunaCabecalhoFiltro);
        ++fill.row;
        writeLine(fill, line, kFilterColor);
    }

    for (qsizetype k = 0; k <= GridsAdicionais.size(); ++k) {
        if (k == 0) {
            if (LinhasImagem != 0)
                fill.row = static_cast<int>(CabecalhoFiltro.size()) + LinhasImagem - 2;
        } else {
            GridExportado = m_owner ? m_owner->grid(GridsAdicionais[k - 1]) : nullptr;
            TotalizaNumeros = false;
        }
        fill.column = SheetColumn();
        ++fill.row;
        if (GridExportado) {
            GridTitles(fill).write(*GridExportado);
            GridRows(fill).write(*GridExportado);
        }
        ++fill.row;
    }

    if (TotalizaNumeros)
        GridRows(fill).writeTotals(GridExportado, ColunasTotais);

    for (const QString &line : std::as_const(Rodape)) {
        fill.column = SheetColumn();
        ++fill.row;
        writeLine(fill, line, kHeaderColor);
    }
    if (!Rodape.isEmpty())
        ++fill.row;

    pasteCharts(fill);

    message(QString());
    GridExportado = FGridOriginal;
    sheet.setVisible(true);
}

void TVarnikExport::writeLine(SheetFill &fill, const QString &line, int color) {
    const QStringList pieces = line.split(u';');
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        if (i > 0)
            fill.column.ProximaColuna();
        const QString cell = fill.column.cell(fill.row);
        fill.sheet.setValue(cell, pieces[i]);
        fill.sheet.setFontColor(cell, color);
        fill.sheet.setFontBold(cell, true);
    }
}

void TVarnikExport::pasteCharts(SheetFill &fill) {
    int previousHeight = 0;
    for (qsizetype i = 0; i < ExportarGraficos.size(); ++i) {
        const QString &name = ExportarGraficos[i];
        const std::optional<QImage> chart = m_owner ? m_owner->chart(name) : std::nullopt;
        ++fill.row;
        if (!chart || chart->isNull()) {
            if (m_feedback)
                m_feedback->showError(QStringLiteral("Erro ao tentar localizar o Gráfico \"%1\", Verifique!").arg(name));
            continue;
        }
        try {
            if (i >= 1) {
                // Rows taken by the previous picture, about 38 pixels to 2.1 rows.
                const double x = previousHeight / 38.0 * 2.1;
                const double rounded = std::nearbyint(x);
                const double fraction = x - std::floor(x);
                fill.row += static_cast<int>(fraction >= 0.5 ? rounded : rounded + 1);
            }
            previousHeight = chart->height();
            fill.sheet.select(SheetColumn().cell(fill.row));
            fill.sheet.pasteSpecial(*chart);
        } catch (const AppError &) {
            if (m_feedback)
                m_feedback->showError(QStringLiteral("Erro ao tentar carregar a imagem, Verifique!"));
        }
    }
}
