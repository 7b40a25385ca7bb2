#include "core/map/map_drawing.h"

#include "base/data/file_case.h"
#include "base/data/program_folder.h"
#include "base/data/query.h"
#include "base/data/study_schema.h"
#include "base/data/text_utils.h"
#include "base/selection/place_names.h"
#include "base/table/column_mark.h"
#include "base/table/column_title.h"
#include "base/table/current_result.h"
#include "base/table/result_table.h"
#include "core/map/area_coloring.h"
#include "core/map/class_breaks.h"
#include "core/map/legend_file.h"
#include "core/map/legend_picture.h"
#include "core/map/map_bitmap.h"
#include "core/map/map_legend.h"

#include <QFileInfo>
#include <QHash>

namespace {

const QString kPercentFormat = QStringLiteral("##0.00");
// Area names longer than this are cut before they are looked up.
constexpr int kAreaNameLength = 100;

const QString kNoStateForMicro =
    QStringLiteral("ATENÇÃO: Para ver o mapa da Microrregiao, deve se escolher uma Unidade Federação.");
const QString kNoPlaceForMunicipio =
    QString(25, QLatin1Char(' ')) + QStringLiteral("ATENÇÃO:\n") +
    QStringLiteral("Para ver o mapa dos Municípios de uma Unidade Federação, deve se escolher a Unidade Federação.\n") +
    QStringLiteral("Para ver o mapa dos Municípios de uma Região Metropolitana, deve se escolher uma Região "
                   "Metropolitana.");
const QString kNoMapForMetropolitan =
    QString(25, QLatin1Char(' ')) + QStringLiteral("ATENÇÃO:\n") + QString(5, QLatin1Char(' ')) +
    QStringLiteral("Para ver o mapa dos Municípios de uma Região Metropolitana, deve se agrupar \n") +
    QStringLiteral("por [Município] e escolher uma Região Metropolitana.");

void setKind(const CurrentResult &result, const ColumnMark &column, MapLegend &legend) {
    legend.setPercentage(result.cdsDados().fieldByName(column.FCampoPercentual).displayFormat() == kPercentFormat);
}

} // namespace

namespace MapDrawing {

MapLevel level(Database &database, const SelectionState &selection) {
    MapLevel level;
    level.groupingText = Grouping::texts().value(selection.agrupar);
    QString relative;
    switch (selection.agrupar) {
    case Grouping::Regiao:
        relative = QStringLiteral("Mapas/Pais/BRREGIAO");
        level.keyColumn = StudySchema::kRegiao;
        level.nomeLocalCaption = QStringLiteral("Região:");
        level.nomeLocalText = PlaceNames::of(database, StudySchema::kRegiao, selection.regiao).text;
        break;
    case Grouping::UnidadeFederativa:
        relative = QStringLiteral("Mapas/Pais/BRUF");
        level.keyColumn = StudySchema::kUnidadeFederativa;
        level.nomeLocalCaption = QStringLiteral("Unidade Federação:");
        level.nomeLocalText =
            PlaceNames::of(database, StudySchema::kUnidadeFederativa, selection.unidadeFederativa).text;
        break;
    case Grouping::MicroRegiao: {
        if (selection.unidadeFederativa == 0)
            throw MapRefusal(kNoStateForMicro);
        const PlaceNames::Place state = PlaceNames::of(database, StudySchema::kUnidadeFederativa, selection.unidadeFederativa);
        relative = QStringLiteral("Mapas/Microrregiao/%1Micro").arg(state.sigla);
        level.keyColumn = StudySchema::kMicroRegiao;
        level.nomeLocalCaption = QStringLiteral("Unidade Federação:");
        level.nomeLocalText = state.text;
        break;
    }
    case Grouping::Municipio:
        level.keyColumn = StudySchema::kMunicipio;
        if (selection.regiaoMetropolitana != 0) {
            const PlaceNames::Place region =
                PlaceNames::of(database, StudySchema::kRegiaoMetropolitana, selection.regiaoMetropolitana);
            relative = QStringLiteral("Mapas/Regiao_Metropolitana/%1").arg(region.sigla);
            level.nomeLocalCaption = QStringLiteral("Região Metropolitana:");
            level.nomeLocalText = region.text;
        } else if (selection.unidadeFederativa != 0) {
            const PlaceNames::Place state =
                PlaceNames::of(database, StudySchema::kUnidadeFederativa, selection.unidadeFederativa);
            relative = QStringLiteral("Mapas/Municipio/%1Mun").arg(state.sigla);
            level.nomeLocalCaption = QStringLiteral("Unidade Federação:");
            level.nomeLocalText = state.text;
        } else {
            throw MapRefusal(kNoPlaceForMunicipio);
        }
        break;
    default:
        throw MapRefusal(kNoMapForMetropolitan);
    }
    level.base = ProgramFolder::file(relative);
    level.bitmap = FileCase::find(level.base + QStringLiteral(".Bmp"));
    level.areaList = FileCase::find(level.base + QStringLiteral(".Txt"));
    level.nomeLocalVisible = !level.nomeLocalText.startsWith(QLatin1Char('<'));
    if (!QFileInfo::exists(level.bitmap))
        throw MapRefusal(QStringLiteral("Não foi possível encontrar o mapa da(o) [%1].\n"
                                        "Verifique se a pasta e arquivo [%2] existem no seu computador !")
                             .arg(level.groupingText, level.bitmap));
    return level;
}

bool CarregaLegenda(Database &database, const CurrentResult &result, const ColumnMark &column, MapLegend &legend,
                    QString &warning) {
    warning.clear();
    setKind(result, column, legend);
    const QString path = LegendFile::source(column.FCampoPercentual, result.grouping());
    try {
        if (const auto uppers = LegendFile::read(path)) {
            try {
                legend.load(*uppers);
            } catch (const AppError &error) {
                throw AppError(QStringLiteral("A legenda %1 está danificada: %2").arg(path, error.message()));
            }
            // A file holds what was saved or written by hand: classes out of
            // order are drawn as they are, as the file says, and the user is
            // told which class to mend.
            if (const int k = legend.firstClassOutOfOrder())
                warning =
                    QStringLiteral("A legenda %1 tem faixas fora de ordem: a [faixa %2] vai de %3 a %4. O mapa foi "
                                   "desenhado com as faixas como estão salvas.")
                        .arg(path, MapLegend::NomeCor(k), TextUtils::shortened(legend.lower(k)),
                             TextUtils::shortened(legend.upper(k)));
            return true;
        }
    } catch (const AppError &error) {
        warning = QStringLiteral("A legenda salva não pôde ser usada e as faixas foram calculadas.\n%1")
                      .arg(error.message());
    }
    legend.compute(
        MapLegend::maximum(database, result.qValorNivel().sql(), column.FCampoMarcado, result.grouping()));
    return false;
}

QList<AreaFigure> areaFigures(Database &database, const CurrentResult &result, const ColumnMark &column,
                              const MapLevel &level, const AreaList &areas) {
    const ResultTable &table = result.cdsDados();
    const int keyField = table.fieldByName(level.keyColumn).index();
    const int valueField = table.fieldByName(column.FCampoPercentual).index();
    const int kindField = table.fieldByName(StudySchema::kTipoRegistro).index();
    const bool byState = result.grouping() == Grouping::UnidadeFederativa;

    QHash<QString, QString> stateNames;
    Query stateQuery(database);
    QList<AreaFigure> figures;
    for (int row = 0; row < table.recordCount(); ++row) {
        if (table.asInteger(row, kindField) == result.totalKind())
            continue;
        QString name = table.asString(row, keyField);
        if (byState) {
            auto it = stateNames.constFind(name);
            if (it == stateNames.constEnd()) {
                stateQuery.close();
                stateQuery.sql() = {QStringLiteral("select Descricao From Unidade_Federativa where Sigla = '%1'")
                                        .arg(TextUtils::doubleQuotes(name))};
                stateQuery.open();
                it = stateNames.insert(name, stateQuery.eof()
                                                 ? QString()
                                                 : stateQuery.fieldByName(StudySchema::kDescricao).asString());
            }
            name = *it;
        } else {
            name = TextUtils::cut(name, kAreaNameLength);
        }
        if (areas.indexOfName(name) < 0)
            continue;
        figures.append({name, table.asFloat(row, valueField), table.displayText(row, valueField)});
    }
    return figures;
}

QStringList colorList(const QList<AreaFigure> &figures, const MapLegend &legend, std::array<int, 9> &classCounts) {
    classCounts.fill(0);
    QStringList lines;
    for (const AreaFigure &figure : figures) {
        const int k = legend.classOf(figure.value);
        ++classCounts[k];
        lines << figure.name + QLatin1Char('=') + QString::number(MapLegend::colorNumber(k));
    }
    return lines;
}

void computeClasses(Database &database, const CurrentResult &result, const ColumnMark &column, ClassMethod method,
                    MapLegend &legend) {
    setKind(result, column, legend);
    if (method == ClassMethod::Doubling) {
        legend.compute(
            MapLegend::maximum(database, result.qValorNivel().sql(), column.FCampoMarcado, result.grouping()));
        return;
    }
    const MapLevel map = level(database, result.selection());
    const QStringList areaLines = AreaList::readFile(map.areaList);
    AreaList::checkForMap(areaLines, map.areaList, MapBitmap::read(map.bitmap).size());
    std::vector<double> figures;
    for (const AreaFigure &figure : areaFigures(database, result, column, map, AreaList(areaLines)))
        figures.push_back(figure.value);
    legend.loadMaxima(ClassBreaks::of(method, std::move(figures)));
}

MapResult MostraMapa(Database &database, const CurrentResult &result, const ColumnMark &column, MapLegend &legend,
                     bool loadLegend, const Hooks &hooks) {
    MapResult drawn;
    drawn.level = level(database, result.selection());
    const MapLevel &map = drawn.level;

    const QImage bitmap = MapBitmap::read(map.bitmap);
    if (hooks.bitmapLoaded)
        hooks.bitmapLoaded(bitmap);
    const QStringList areaLines = AreaList::readFile(map.areaList);
    AreaList::checkForMap(areaLines, map.areaList, bitmap.size());
    drawn.areas.setLines(areaLines);

    MapPicture::Texts &texts = drawn.texts;
    texts.titleLines =
        ColumnTitle::lines(database, result.topic(), result.cdsDados(), column.FCampoPercentual);
    if (loadLegend) {
        QString warning;
        drawn.legendFromFile = CarregaLegenda(database, result, column, legend, warning);
        if (!warning.isEmpty() && hooks.legendWarning)
            hooks.legendWarning(warning);
    }
    texts.mapaDe = map.groupingText;
    texts.nomeLocalCaption = map.nomeLocalCaption;
    texts.nomeLocalText = map.nomeLocalText;
    texts.nomeLocalVisible = map.nomeLocalVisible;

    drawn.legend = legend;
    drawn.ground = MapPicture::compose(bitmap, texts, LegendPicture::render(legend));
    drawn.picture = drawn.ground;
    drawn.figures = areaFigures(database, result, column, map, drawn.areas);
    drawn.colorLines = colorList(drawn.figures, legend, drawn.classCounts);
    colorAreas(drawn.picture, drawn.areas, AreaList(drawn.colorLines), MapPicture::kTitleBand);
    return drawn;
}

} // namespace MapDrawing
