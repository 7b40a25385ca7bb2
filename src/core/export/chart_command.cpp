#include "core/export/chart_command.h"

#include "base/export/bad_input.h"
#include "base/table/current_result.h"
#include "base/table/result_field.h"
#include "core/chart/chart_composer.h"
#include "core/export/value_column.h"

namespace ChartCommand {

ChartRenderer compose(Database &database, const CurrentResult &result, const ExportCommand::Options &options) {
    const QString field = ValueColumn::find(result, options.coluna).fullName();

    const bool percentage = ChartComposer::isPercentageColumn(result.cdsDados(), field);
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
    return ChartRenderer(ChartComposer::compose(database, result, field, choice));
}

} // namespace ChartCommand
