#include "core/export/chart_command.h"

#include "core/chart/chart_composer.h"
#include "base/data/figure_locale.h"
#include "base/export/bad_input.h"
#include "core/export/value_column.h"
#include "base/table/current_result.h"
#include "base/table/result_field.h"
#include "base/table/table_run.h"

namespace ChartCommand {

ChartRenderer compose(Database &database, TableRun &run, const ExportCommand::Options &options) {
    const CurrentResult &result = run.result();
    ResultTable &cdsDados = run.cdsDados();
    const QString field = ValueColumn::find(result, options.coluna).fullName();

    const bool percentage = ChartComposer::isPercentageColumn(cdsDados, field);
    ChartChoice choice;
    choice.picture = options.tipo.value_or(percentage ? ChartPicture::Ponto : ChartPicture::Pizza);
    choice.identifier = options.identificador.value_or(QLatin1Char('V'));
    choice.legend = options.legenda;
    if (percentage && (choice.picture == ChartPicture::Pizza || choice.picture == ChartPicture::Roda))
        throw BadInput(
            QStringLiteral("a coluna de percentual \"%1\" não tem gráfico de pizza nem de rosca").arg(options.coluna));
    if (percentage && choice.identifier == QLatin1Char('P'))
        throw BadInput(
            QStringLiteral("a coluna de percentual \"%1\" não tem o identificador percentual").arg(options.coluna));

    // Figures as the program shows them; only the detail rows become points.
    QLocale::setDefault(FigureLocale::forFigures());
    cdsDados.setFilter(QStringLiteral("Tipo_Registro <> %1").arg(result.totalKind()));
    cdsDados.setFiltered(true);
    return ChartRenderer(ChartComposer::compose(database, options.topic, cdsDados, field, result.FCampoLocal(), choice));
}

} // namespace ChartCommand
