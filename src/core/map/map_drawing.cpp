#include "core/map/map_drawing.h"

#include "base/data/program_folder.h"
#include "base/data/query.h"
#include "base/data/text_utils.h"
#include "core/map/area_coloring.h"
#include "core/map/legend_file.h"
#include "core/map/legend_picture.h"
#include "core/map/map_legend.h"
#include "base/table/column_title.h"
#include "base/table/current_result.h"
#include "base/table/result_table.h"

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

// The abbreviation and the description a territory list shows for a key;
// key 0 is "<Todas>".
struct Place {
    QString sigla;
    QString text;
};

Place readPlace(Database &database, const QString &table, int key) {
    if (key == 0)
        return {QStringLiteral("<Todas>"), QStringLiteral("<Todas>")};
    Query query(database);
    query.sql() << QStringLiteral("select Sigla, Descricao") << QStringLiteral("  From %1").arg(table)
                << QStringLiteral(" where %1 = %2").arg(table).arg(key);
    query.open();
    if (query.eof())
        return {};
    return {query.fieldByName(QStringLiteral("Sigla")).asString(),
            query.fieldByName(QStringLiteral("Descricao")).asString()};
}

} // namespace

MapRequest MapRequest::from(const CurrentResult &result) {
    MapRequest request;
    request.cdsDados = &result.cdsDados();
    request.valueStatement = result.qValorNivel().sql();
    request.FNivelSelecionado = result.topic();
    request.FCampoMarcado = result.FCampoMarcado();
    request.FCampoPercentual = result.FCampoPercentual();
    request.totalKind = result.totalKind();
    request.selection = result.selection();
    return request;
}

namespace MapDrawing {

MapLevel level(Database &database, const SelectionState &selection) {
    MapLevel level;
    level.groupingText = Grouping::texts().value(selection.agrupar);
    QString relative;
    switch (selection.agrupar) {
    case Grouping::Regiao:
        relative = QStringLiteral("Mapas/Pais/BRREGIAO");
        level.keyColumn = QStringLiteral("Regiao");
        level.nomeLocalCaption = QStringLiteral("Região:");
        level.nomeLocalText = readPlace(database, QStringLiteral("Regiao"), selection.regiao).text;
        break;
    case Grouping::UnidadeFederativa:
        relative = QStringLiteral("Mapas/Pais/BRUF");
        level.keyColumn = QStringLiteral("Unidade_Federativa");
        level.nomeLocalCaption = QStringLiteral("Unidade Federação:");
        level.nomeLocalText =
            readPlace(database, QStringLiteral("Unidade_Federativa"), selection.unidadeFederativa).text;
        break;
    case Grouping::MicroRegiao: {
        if (selection.unidadeFederativa == 0)
            throw MapRefusal(kNoStateForMicro);
        const Place state = readPlace(database, QStringLiteral("Unidade_Federativa"), selection.unidadeFederativa);
        relative = QStringLiteral("Mapas/Microrregiao/%1Micro").arg(state.sigla);
        level.keyColumn = QStringLiteral("Micro_Regiao");
        level.nomeLocalCaption = QStringLiteral("Unidade Federação:");
        level.nomeLocalText = state.text;
        break;
    }
    case Grouping::Municipio:
        level.keyColumn = QStringLiteral("Municipio");
        if (selection.regiaoMetropolitana != 0) {
            const Place region =
                readPlace(database, QStringLiteral("Regiao_Metropolitana"), selection.regiaoMetropolitana);
            relative = QStringLiteral("Mapas/Regiao_Metropolitana/%1").arg(region.sigla);
            level.nomeLocalCaption = QStringLiteral("Região Metropolitana:");
            level.nomeLocalText = region.text;
        } else if (selection.unidadeFederativa != 0) {
            const Place state =
                readPlace(database, QStringLiteral("Unidade_Federativa"), selection.unidadeFederativa);
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
    level.nomeLocalVisible = !level.nomeLocalText.startsWith(QLatin1Char('<'));
    if (!QFileInfo::exists(level.bitmapPath()))
        throw MapRefusal(QStringLiteral("Não foi possível encontrar o mapa da(o) [%1].\n"
                                        "Verifique se a pasta e arquivo [%2] existem no seu computador !")
                             .arg(level.groupingText, level.bitmapPath()));
    return level;
}

bool CarregaLegenda(Database &database, const MapRequest &request, MapLegend &legend, QString &warning) {
    warning.clear();
    const ResultTable &table = *request.cdsDados;
    legend.setPercentage(table.fieldByName(request.FCampoPercentual).displayFormat() == kPercentFormat);
    const QString path = LegendFile::path(request.FCampoPercentual, request.selection.agrupar);
    try {
        if (const auto uppers = LegendFile::read(path)) {
            legend.load(*uppers);
            return true;
        }
    } catch (const AppError &error) {
        warning = QStringLiteral("A legenda salva não pôde ser usada e as faixas foram calculadas.\n%1")
                      .arg(error.message());
    }
    legend.compute(MapLegend::maximum(database, request.valueStatement, request.FCampoMarcado,
                                      request.selection.agrupar));
    return false;
}

QStringList colorList(Database &database, const MapRequest &request, const MapLevel &level, const MapLegend &legend,
                      const AreaList &areas, std::array<int, 9> &classCounts) {
    classCounts.fill(0);
    const ResultTable &table = *request.cdsDados;
    const int keyField = table.fieldByName(level.keyColumn).index();
    const int valueField = table.fieldByName(request.FCampoPercentual).index();
    const int kindField = table.fieldByName(QStringLiteral("Tipo_Registro")).index();
    const bool byState = request.selection.agrupar == Grouping::UnidadeFederativa;

    QHash<QString, QString> stateNames;
    Query stateQuery(database);
    QStringList lines;
    for (int row = 0; row < table.recordCount(); ++row) {
        if (table.asInteger(row, kindField) == request.totalKind)
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
                                                 : stateQuery.fieldByName(QStringLiteral("Descricao")).asString());
            }
            name = *it;
        } else {
            name = TextUtils::cut(name, kAreaNameLength);
        }
        if (areas.indexOfName(name) < 0)
            continue;
        const int k = legend.classOf(table.asFloat(row, valueField));
        ++classCounts[k];
        lines << name + QLatin1Char('=') + QString::number(MapLegend::colorNumber(k));
    }
    return lines;
}

MapResult MostraMapa(Database &database, const MapRequest &request, MapLegend &legend, bool loadLegend,
                     const Hooks &hooks) {
    MapResult result;
    result.level = level(database, request.selection);
    const MapLevel &map = result.level;

    QImage bitmap;
    if (!bitmap.load(map.bitmapPath()))
        throw AppError(QStringLiteral("Não foi possível ler o mapa %1.").arg(map.bitmapPath()));
    bitmap = bitmap.convertToFormat(QImage::Format_RGB32);
    if (hooks.bitmapLoaded)
        hooks.bitmapLoaded(bitmap);
    result.areas.setLines(AreaList::readFile(map.areaListPath()));

    MapPicture::Texts texts;
    texts.titleLines =
        ColumnTitle::lines(database, request.FNivelSelecionado, *request.cdsDados, request.FCampoPercentual);
    if (loadLegend) {
        QString warning;
        result.legendFromFile = CarregaLegenda(database, request, legend, warning);
        if (!warning.isEmpty() && hooks.legendWarning)
            hooks.legendWarning(warning);
    }
    texts.mapaDe = map.groupingText;
    texts.nomeLocalCaption = map.nomeLocalCaption;
    texts.nomeLocalText = map.nomeLocalText;
    texts.nomeLocalVisible = map.nomeLocalVisible;

    result.picture = MapPicture::compose(bitmap, texts, LegendPicture::render(legend));
    result.colorLines = colorList(database, request, map, legend, result.areas, result.classCounts);
    colorAreas(result.picture, result.areas, AreaList(result.colorLines), MapPicture::kTitleBand);
    return result;
}

} // namespace MapDrawing
