#include "core/chart/chart_composer.h"

#include "base/data/study_schema.h"
#include "base/table/column_title.h"
#include "base/table/current_result.h"
#include "base/table/result_table.h"

#include <cmath>

namespace ChartComposer {

bool isPercentageColumn(const ResultTable &table, const QString &field) {
    return table.fieldByName(field).displayFormat() == QLatin1String("##0.00");
}

SeriesKind seriesOf(ChartPicture picture) {
    switch (picture) {
    case ChartPicture::Pizza:
    case ChartPicture::Roda:
        return SeriesKind::Donut;
    case ChartPicture::Ponto:
        return SeriesKind::Points;
    case ChartPicture::LinVert:
        return SeriesKind::Volume;
    case ChartPicture::BarHori:
        return SeriesKind::HorizontalBars;
    case ChartPicture::BarVert:
        break;
    }
    return SeriesKind::VerticalBars;
}

ChartSettings compose(const ResultTable &table, const QString &valueField, const QString &labelField, int totalKind,
                      const QStringList &titleLines, const ChartChoice &choice) {
    ChartSettings settings;
    settings.kind = seriesOf(choice.picture);
    settings.titleLines = titleLines;

    const ResultField &value = table.fieldByName(valueField);
    const int label = table.fieldByName(labelField).index();
    if (!value.displayFormat().isEmpty())
        settings.valueFormat = value.displayFormat();
    const int kind = table.findField(StudySchema::kTipoRegistro);
    const int rows = table.recordCount();
    settings.points.reserve(size_t(rows));
    for (int row = 0; row < rows; ++row) {
        if (kind >= 0 && !table.value(row, kind).isNull() && table.asInteger(row, kind) == totalKind)
            continue;
        const QVariant cell = table.value(row, value.index());
        settings.points.push_back(
            {table.displayText(row, label), cell.isNull() ? std::nan("") : table.asFloat(row, value.index())});
    }

    // Horizontal bars measure the values along the bottom axis.
    const bool horizontal = choice.picture == ChartPicture::BarHori;
    settings.leftAxisLabels = !horizontal;
    settings.bottomAxisLabels = horizontal;

    switch (choice.identifier.unicode()) {
    case 'P':
        settings.marksStyle = MarksStyle::Percent;
        settings.legendTextStyle = LegendTextStyle::Plain;
        break;
    case 'D':
        settings.marksStyle = MarksStyle::Label;
        settings.legendTextStyle = LegendTextStyle::Value;
        break;
    case 'N':
        settings.marksVisible = false;
        settings.legendTextStyle = LegendTextStyle::RightValue;
        break;
    default:
        settings.marksStyle = MarksStyle::Value;
        settings.legendTextStyle = LegendTextStyle::Plain;
        break;
    }
    settings.arrowLength = choice.picture == ChartPicture::Ponto ? 15 : 8;
    settings.view3D = choice.picture != ChartPicture::Roda;
    settings.legendVisible = choice.legend;
    return settings;
}

ChartSettings compose(Database &database, const CurrentResult &result, const QString &valueField,
                      const ChartChoice &choice) {
    const ResultTable &table = result.cdsDados();
    return compose(table, valueField, result.FCampoLocal(), result.totalKind(),
                   ColumnTitle::lines(database, result.topic(), table, valueField), choice);
}

} // namespace ChartComposer
