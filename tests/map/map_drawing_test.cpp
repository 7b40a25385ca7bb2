#include "base/data/database.h"
#include "base/data/program_folder.h"
#include "base/data/query.h"
#include "base/table/result_table.h"
#include "base/table/table_run.h"
#include "core/drawing/color_number.h"
#include "core/map/legend_file.h"
#include "core/map/legend_picture.h"
#include "core/map/map_drawing.h"
#include "core/map/map_legend.h"
#include "sample_result.h"
#include "support/qstring_printer.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

namespace {

class SampleMap : public ::testing::Test, public SampleResult {
  protected:
    MapLegend legend;
};

// Every detail row whose area is on the map paints that area's seed pixel
// in its class colour; total rows paint nothing.
void expectAreasInTheirClassColours(Database &db, const CurrentResult &request, const MapResult &map,
                                    const MapLegend &legend, const QString &keyColumn) {
    const ResultTable &table = request.cdsDados();
    const int kind = table.fieldByName(QStringLiteral("Tipo_Registro")).index();
    const int value = table.fieldByName(request.FCampoPercentual()).index();
    const int key = table.fieldByName(keyColumn).index();
    int painted = 0;
    for (int row = 0; row < table.recordCount(); ++row) {
        if (table.asInteger(row, kind) == request.totalKind())
            continue;
        QString name = table.asString(row, key);
        if (keyColumn == QStringLiteral("Unidade_Federativa")) {
            Query state(db);
            state.sql() << QStringLiteral("select Descricao from Unidade_Federativa where Sigla = '%1'").arg(name);
            state.open();
            name = state.fieldByName(QStringLiteral("Descricao")).asString();
        }
        const int line = map.areas.indexOfName(name);
        if (line < 0)
            continue;
        const QPoint seed = AreaList::seedOf(map.areas.lines()[line]);
        const QColor expected = ColorNumber::toColor(legend.colorOf(table.asFloat(row, value)));
        EXPECT_EQ(QColor(map.picture.pixel(seed.x(), seed.y() + 40)), expected) << table.asString(row, key).toStdString();
        ++painted;
    }
    EXPECT_GT(painted, 0);
    for (const QString &line : map.colorLines)
        EXPECT_FALSE(line.startsWith(QStringLiteral("TOTAL="), Qt::CaseInsensitive));
}

} // namespace

TEST_F(SampleMap, EachLevelDrawsItsMapWithTheComputedLegend) {
    const struct {
        SelectionState selection;
        const char *field;
        const char *base;
        const char *key;
        const char *nomeLocal;
    } cases[] = {
        {selection(0), "A01", "Mapas/Pais/BRREGIAO", "Regiao", ""},
        {selection(1, 0, 0, 2), "A07", "Mapas/Pais/BRUF", "Unidade_Federativa", ""},
        {selection(2, 35), "A01", "Mapas/Microrregiao/SPMicro", "Micro_Regiao", "São Paulo"},
        {selection(4, 31), "A07", "Mapas/Municipio/MGMun", "Municipio", "Minas Gerais"},
        // Both a metropolitan region and a state: the region's map.
        {selection(4, 35, 1), "A01", "Mapas/Regiao_Metropolitana/RMSPSAO", "Municipio", "RM de São Paulo"},
    };
    for (const auto &c : cases) {
        const CurrentResult &request = run(c.selection, QString::fromUtf8(c.field));
        const MapLevel level = MapDrawing::level(db, c.selection);
        EXPECT_EQ(level.base, ProgramFolder::file(QString::fromUtf8(c.base)));
        EXPECT_EQ(level.nomeLocalVisible, *c.nomeLocal != 0);
        if (level.nomeLocalVisible) {
            EXPECT_EQ(level.nomeLocalText, QString::fromUtf8(c.nomeLocal));
        }

        const MapResult map = MapDrawing::MostraMapa(db, request, request.mark(), legend, true);
        SCOPED_TRACE(c.base);
        EXPECT_EQ(map.picture.size(), QSize(620, 460));
        EXPECT_EQ(map.legendFromFile, std::optional<bool>(false));
        EXPECT_EQ(legend.isPercentage(), QString::fromUtf8(c.field) == QStringLiteral("A07"));
        // The title band is white at its corners; the legend sits beside the map.
        EXPECT_EQ(map.picture.pixel(0, 0), qRgb(255, 255, 255));
        EXPECT_EQ(map.picture.copy(465, 180, 152, 192), LegendPicture::render(legend));
        expectAreasInTheirClassColours(db, request, map, legend, QString::fromUtf8(c.key));
    }
}

TEST_F(SampleMap, StateAreasAreNamedByTheStatesDescription) {
    const CurrentResult &request = run(selection(1));
    const MapResult map = MapDrawing::MostraMapa(db, request, request.mark(), legend, true);
    EXPECT_TRUE(std::any_of(map.colorLines.begin(), map.colorLines.end(),
                            [](const QString &l) { return l.startsWith(QStringLiteral("Minas Gerais=")); }));
    EXPECT_EQ(map.colorLines.size(), 27);
    int counted = 0;
    for (int n : map.classCounts)
        counted += n;
    EXPECT_EQ(counted, 27);
}

// Pernambuco by municipality lists the municipalities over the table's
// population floor; the areas of the others, summed in "DEMAIS MUNICÍPIOS",
// keep the bitmap's neutral grey, which is none of the class colours.
TEST_F(SampleMap, AreasTheTableLeavesOutStayNeutralGrey) {
    const QRgb grey = qRgb(238, 238, 238);
    for (int k = 1; k <= MapLegend::kClasses; ++k)
        EXPECT_NE(ColorNumber::toColor(MapLegend::colorNumber(k)).rgb(), grey) << MapLegend::NomeCor(k).toStdString();

    const CurrentResult &request = run(selection(4, 26));
    const MapResult map = MapDrawing::MostraMapa(db, request, request.mark(), legend, true);
    expectAreasInTheirClassColours(db, request, map, legend, QStringLiteral("Municipio"));
    QSet<QString> coloured;
    for (const QString &line : map.colorLines)
        coloured.insert(AreaList::nameOf(line).toCaseFolded());
    int leftOut = 0;
    for (const QString &line : map.areas.lines()) {
        if (coloured.contains(AreaList::nameOf(line).toCaseFolded()))
            continue;
        const QPoint seed = AreaList::seedOf(line);
        EXPECT_EQ(map.picture.pixel(seed.x(), seed.y() + 40), grey) << AreaList::nameOf(line).toStdString();
        ++leftOut;
    }
    EXPECT_GT(leftOut, 20);
    EXPECT_GT(map.colorLines.size(), 20);
}

// Classes that end below the values paint every area black.
TEST_F(SampleMap, ValuesAboveEveryClassPaintBlack) {
    const CurrentResult &request = run(selection(4, 26));
    MapLegend::Bounds tiny;
    tiny[0] = QStringLiteral("0");
    legend.load(tiny);
    const MapResult map = MapDrawing::MostraMapa(db, request, request.mark(), legend, false);
    ASSERT_FALSE(map.colorLines.isEmpty());
    for (const QString &line : map.colorLines)
        EXPECT_TRUE(line.endsWith(QStringLiteral("=0"))) << line.toStdString();
    EXPECT_EQ(map.classCounts[0], map.colorLines.size());
    expectAreasInTheirClassColours(db, request, map, legend, QStringLiteral("Municipio"));
}

// The maximum statement read over the real value statement of every
// grouping finds the largest detail value of the table (the "DEMAIS" rows
// left out when grouped by municipality).
TEST_F(SampleMap, MaximumIsTheLargestDetailValueAtEveryLevel) {
    for (const SelectionState &s : {selection(0), selection(1), selection(1, 0, 0, 3), selection(2, 35),
                                    selection(3), selection(4, 31), selection(4, 0, 1)}) {
        const CurrentResult &request = run(s);
        const int kind = cdsDados.fieldByName(QStringLiteral("Tipo_Registro")).index();
        const int value = cdsDados.fieldByName(QStringLiteral("A01")).index();
        const int municipio = cdsDados.findField(QStringLiteral("Municipio"));
        double expected = 0;
        for (int row = 0; row < cdsDados.recordCount(); ++row) {
            if (cdsDados.asInteger(row, kind) == request.totalKind())
                continue;
            if (s.agrupar == 4 && cdsDados.asString(row, municipio).startsWith(QStringLiteral("DEMAIS"),
                                                                                Qt::CaseInsensitive))
                continue;
            expected = std::max(expected, cdsDados.asFloat(row, value));
        }
        EXPECT_EQ(MapLegend::maximum(db, request.qValorNivel().sql(), QStringLiteral("A01"), s.agrupar), expected)
            << "grouping " << s.agrupar;
    }
}

TEST_F(SampleMap, RefusalsSayWhatToChoose) {
    const QString blanks25(25, QLatin1Char(' '));
    const struct {
        SelectionState selection;
        QString message;
    } cases[] = {
        {selection(2), QStringLiteral("ATENÇÃO: Para ver o mapa da Microrregiao, deve se escolher uma Unidade Federação.")},
        {selection(4),
         blanks25 + QStringLiteral("ATENÇÃO:\nPara ver o mapa dos Municípios de uma Unidade Federação, deve se escolher a "
                                   "Unidade Federação.\nPara ver o mapa dos Municípios de uma Região Metropolitana, deve "
                                   "se escolher uma Região Metropolitana.")},
        {selection(3, 35, 1), blanks25 + QStringLiteral("ATENÇÃO:\n     Para ver o mapa dos Municípios de uma Região "
                                                        "Metropolitana, deve se agrupar \npor [Município] e escolher "
                                                        "uma Região Metropolitana.")},
    };
    for (const auto &c : cases) {
        try {
            MapDrawing::level(db, c.selection);
            FAIL() << c.selection.agrupar;
        } catch (const MapRefusal &refusal) {
            EXPECT_EQ(refusal.message(), c.message);
        }
    }
}

TEST_F(SampleMap, MissingMapFiles) {
    const CurrentResult &request = run(selection(1));
    QTemporaryDir dir;
    ProgramFolder::setPath(dir.path());
    try {
        MapDrawing::MostraMapa(db, request, request.mark(), legend, true);
        FAIL() << "no bitmap";
    } catch (const MapRefusal &refusal) {
        EXPECT_EQ(refusal.message(), QStringLiteral("Não foi possível encontrar o mapa da(o) [Unidade Federação].\n"
                                                    "Verifique se a pasta e arquivo [%1] existem no seu computador !")
                                         .arg(dir.path() + QStringLiteral("/Mapas/Pais/BRUF.Bmp")));
    }

    // With the bitmap but no area list, the bitmap is handed out first.
    QDir(dir.path()).mkpath(QStringLiteral("Mapas/Pais"));
    ASSERT_TRUE(QFile::copy(kStudy + QStringLiteral("/Mapas/Pais/BRUF.Bmp"),
                            dir.path() + QStringLiteral("/Mapas/Pais/BRUF.Bmp")));
    QImage shown;
    MapDrawing::Hooks hooks;
    hooks.bitmapLoaded = [&](const QImage &bitmap) { shown = bitmap; };
    EXPECT_THROW(MapDrawing::MostraMapa(db, request, request.mark(), legend, true, hooks), AppError);
    EXPECT_EQ(shown.size(), QSize(460, 420));
}

// A damaged bitmap or area list stops the drawing with a message naming the
// file and the damage, never a wrong map: a bitmap cut short would draw its
// missing rows, a seed outside the bitmap would flood the title band, an
// area list naming no area would leave the map uncoloured.
TEST_F(SampleMap, DamagedMapFilesAreNamedNotDrawn) {
    const CurrentResult &request = run(selection(1));
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("Mapas/Pais")));
    const QString base = dir.filePath(QStringLiteral("Mapas/Pais/BRUF"));
    const QString bitmap = base + QStringLiteral(".Bmp");
    const QString areaList = base + QStringLiteral(".Txt");
    QFile sampleBitmap(kStudy + QStringLiteral("/Mapas/Pais/BRUF.Bmp"));
    QFile sampleList(kStudy + QStringLiteral("/Mapas/Pais/BRUF.Txt"));
    ASSERT_TRUE(sampleBitmap.open(QIODevice::ReadOnly) && sampleList.open(QIODevice::ReadOnly));
    const QByteArray goodBitmap = sampleBitmap.readAll();
    const QByteArray goodList = sampleList.readAll();
    const QByteArray half = goodBitmap.left(goodBitmap.size() / 2);
    const QString cut = QStringLiteral("Não foi possível ler o mapa %1: o arquivo está cortado (tem %2 bytes e o "
                                       "cabeçalho do bitmap pede %3)")
                            .arg(bitmap)
                            .arg(half.size())
                            .arg(goodBitmap.size());
    const QString line1 = QStringLiteral("A linha 1 da lista de áreas do mapa %1 ").arg(areaList);
    const QString outside = QStringLiteral("começa por um ponto fora do mapa, que tem 460 x 420 pixels: ");
    const struct {
        QByteArray bitmap;
        QByteArray areaList;
        QString message;
    } cases[] = {
        {half, goodList, cut},
        {goodBitmap.left(20), goodList,
         QStringLiteral("Não foi possível ler o mapa %1: o arquivo está cortado (tem 20 bytes e o cabeçalho do bitmap "
                        "pede 54)")
             .arg(bitmap)},
        {QByteArray("nada de bitmap"), goodList,
         QStringLiteral("Não foi possível ler o mapa %1: não é um bitmap que o programa leia").arg(bitmap)},
        {QByteArray("GIF89a cortado"), goodList,
         QStringLiteral("Não foi possível ler o mapa %1: o bitmap está danificado").arg(bitmap)},
        {goodBitmap, QByteArray(),
         QStringLiteral("A lista de áreas do mapa %1 está vazia: não nomeia nenhuma área.").arg(areaList)},
        {goodBitmap, QByteArray("\r\n \r\n\r\n"),
         QStringLiteral("A lista de áreas do mapa %1 está vazia: não nomeia nenhuma área.").arg(areaList)},
        {goodBitmap, QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR"),
         line1 + QStringLiteral("não nomeia uma área (nome=(x/y),(x/y),...): \"\u2030PNG\"")},
        {goodBitmap, QByteArray("=(10/10)\r\n"),
         line1 + QStringLiteral("não nomeia uma área (nome=(x/y),(x/y),...): \"=(10/10)\"")},
        {goodBitmap, QByteArray("Norte=(10/-40)\r\n"), line1 + outside + QStringLiteral("\"Norte=(10/-40)\"")},
        {goodBitmap, QByteArray("Norte=(-2147483648/5)\r\n"),
         line1 + outside + QStringLiteral("\"Norte=(-2147483648/5)\"")},
        {goodBitmap, QByteArray("Norte=(460/5)\r\n"), line1 + outside + QStringLiteral("\"Norte=(460/5)\"")},
        {goodBitmap, QByteArray("Norte=(a/5),(1/2)\r\n"),
         line1 + QStringLiteral("não começa por um ponto (x/y) de números inteiros: \"Norte=(a/5),(1/2)\"")},
        // The first damaged line is named, after sound ones.
        {goodBitmap, goodList + "\r\nSul\r\n",
         QStringLiteral("A linha %1 da lista de áreas do mapa %2 não nomeia uma área (nome=(x/y),(x/y),...): \"Sul\"")
             .arg(goodList.count('\n') + 2)
             .arg(areaList)},
    };
    ProgramFolder::setPath(dir.path());
    for (const auto &c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        for (const auto &[path, bytes] : {std::pair(bitmap, c.bitmap), std::pair(areaList, c.areaList)}) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(bytes);
        }
        try {
            MapDrawing::MostraMapa(db, request, request.mark(), legend, true);
            ADD_FAILURE() << "drawn";
        } catch (const AppError &error) {
            EXPECT_EQ(error.message(), c.message);
        }
    }
}

// A saved legend is used at its own level only; a damaged one gives way to
// the computed classes with a warning.
TEST_F(SampleMap, SavedLegendsAndDamagedOnes) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("Mapas/Legendas")));
    QDir(dir.path()).mkpath(QStringLiteral("Mapas/Municipio"));
    for (const char *suffix : {".Bmp", ".Txt"})
        ASSERT_TRUE(QFile::copy(kStudy + QStringLiteral("/Mapas/Municipio/PEMun") + QLatin1String(suffix),
                                dir.path() + QStringLiteral("/Mapas/Municipio/PEMun") + QLatin1String(suffix)));
    const CurrentResult &request = run(selection(4, 26));
    ProgramFolder::setPath(dir.path());

    MapLegend::Bounds saved;
    saved[0] = QStringLiteral("1000");
    saved[1] = QStringLiteral("5000");
    LegendFile::write(LegendFile::path(QStringLiteral("A01"), 4), saved);
    MapLegend::Bounds otherLevel;
    otherLevel[0] = QStringLiteral("7");
    LegendFile::write(LegendFile::path(QStringLiteral("A01"), 1), otherLevel);
    QString warning;
    MapResult map = MapDrawing::MostraMapa(db, request, request.mark(), legend, true);
    EXPECT_EQ(map.legendFromFile, std::optional<bool>(true));
    EXPECT_EQ(legend.upper(1), QStringLiteral("1000"));
    EXPECT_EQ(legend.upper(2), QStringLiteral("5000"));
    EXPECT_EQ(legend.lower(2), QStringLiteral("1001"));
    expectAreasInTheirClassColours(db, request, map, legend, QStringLiteral("Municipio"));

    QFile damaged(LegendFile::path(QStringLiteral("A01"), 4));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("[Legenda]\r\nValor Final Faixa 1=mil\r\n");
    damaged.close();
    MapDrawing::Hooks hooks;
    hooks.legendWarning = [&](const QString &text) { warning = text; };
    map = MapDrawing::MostraMapa(db, request, request.mark(), legend, true, hooks);
    EXPECT_EQ(map.legendFromFile, std::optional<bool>(false));
    EXPECT_TRUE(warning.contains(QStringLiteral("Azul Escuro"))) << warning.toStdString();
    EXPECT_EQ(legend.lower(1), QStringLiteral("0"));
    EXPECT_NE(legend.upper(2), QStringLiteral("5000"));
}

// A legend file is drawn as it was saved, also with classes out of order,
// and the user is told which class to mend; a bound beyond what a legend
// shows is damage: the classes are computed, and the message names the file.
TEST_F(SampleMap, LegendFilesOutOfOrderOrBeyondWhatALegendShows) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("Mapas/Legendas")));
    ASSERT_TRUE(QFile::link(kStudy + QStringLiteral("/Mapas/Pais"), dir.filePath(QStringLiteral("Mapas/Pais"))));
    const CurrentResult &request = run(selection(1));
    ProgramFolder::setPath(dir.path());
    const QString path = LegendFile::path(QStringLiteral("A01"), 1);
    const struct {
        const char *first;
        const char *second;
        bool fromFile;
        QString warning; // %1: the file
    } cases[] = {
        {"10", "20", true, QString()},
        {"500000", "10000", true,
         "A legenda %1 tem faixas fora de ordem: a [faixa Azul] vai de 500001 a 10000. O mapa foi desenhado com as "
         "faixas como estão salvas."},
        {"9223372036854775807", "", false,
         "A legenda salva não pôde ser usada e as faixas foram calculadas.\nA legenda %1 está danificada: o valor "
         "final "
         "da faixa Azul Escuro (\"9223372036854775807\") passa do maior valor que a legenda mostra (999999999999)."},
        {"10", "1e308", false,
         "A legenda salva não pôde ser usada e as faixas foram calculadas.\nA legenda %1 está danificada: o valor "
         "final "
         "da faixa Azul (\"1e308\") não é um número inteiro."},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.first);
        MapLegend::Bounds saved;
        saved[0] = QString::fromUtf8(c.first);
        saved[1] = QString::fromUtf8(c.second);
        LegendFile::write(path, saved);
        QString warning;
        MapDrawing::Hooks hooks;
        hooks.legendWarning = [&](const QString &text) { warning = text; };
        const MapResult map = MapDrawing::MostraMapa(db, request, request.mark(), legend, true, hooks);
        EXPECT_EQ(map.legendFromFile, std::optional<bool>(c.fromFile));
        EXPECT_EQ(warning, c.warning.isEmpty() ? QString() : c.warning.arg(path));
        if (c.fromFile) {
            EXPECT_EQ(legend.upper(1), QString::fromUtf8(c.first));
            EXPECT_EQ(legend.upper(2), QString::fromUtf8(c.second));
        } else {
            EXPECT_EQ(legend.firstClassOutOfOrder(), 0);
        }
        expectAreasInTheirClassColours(db, request, map, legend, QStringLiteral("Unidade_Federativa"));
    }
}

// The published study's map folder was made on a system that ignores letter
// case: folders and files in other cases than the program asks for,
// Windows-1252 texts with CR LF, names in capitals. The map, its area list
// and its saved legend are found and read all the same, and going back to
// computed classes removes the legend the map used.
TEST_F(SampleMap, APublishedMapFolderInAnyLetterCase) {
    const CurrentResult &request = run(selection(1));
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("MAPAS/pais")));
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("MAPAS/LEGENDAS")));
    ASSERT_TRUE(QFile::copy(kStudy + QStringLiteral("/Mapas/Pais/BRUF.Bmp"),
                            dir.filePath(QStringLiteral("MAPAS/pais/bruf.BMP"))));
    QFile sampleList(kStudy + QStringLiteral("/Mapas/Pais/BRUF.Txt"));
    ASSERT_TRUE(sampleList.open(QIODevice::ReadOnly));
    const QByteArray sampleBytes = sampleList.readAll();
    // Names in capitals, accents kept: "S\xC3O PAULO" in Windows-1252.
    QStringList capitals;
    for (const QString &line : QString::fromLatin1(sampleBytes).split(QStringLiteral("\r\n")))
        if (!line.isEmpty())
            capitals << AreaList::nameOf(line).toUpper() + QLatin1Char('=') + AreaList::valueOf(line);
    const QByteArray areaList = capitals.join(QStringLiteral("\r\n")).toLatin1() + "\r\n";
    ASSERT_TRUE(areaList.contains("S\xC3O PAULO="));
    QFile list(dir.filePath(QStringLiteral("MAPAS/pais/BRUF.TXT")));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write(areaList);
    list.close();
    const QString legendFile = dir.filePath(QStringLiteral("MAPAS/LEGENDAS/LGA01_1.INI"));
    QFile legendBytes(legendFile);
    ASSERT_TRUE(legendBytes.open(QIODevice::WriteOnly));
    legendBytes.write(
        "; legenda do usu\xE1rio\r\n[LEGENDA]\r\nValor Final Faixa 1=1000\r\nValor Final Faixa 2=5000\r\n");
    legendBytes.close();

    ProgramFolder::setPath(dir.path());
    const MapResult map = MapDrawing::MostraMapa(db, request, request.mark(), legend, true);
    EXPECT_EQ(map.legendFromFile, std::optional<bool>(true));
    EXPECT_EQ(legend.upper(2), QStringLiteral("5000"));
    EXPECT_EQ(map.colorLines.size(), 27);
    const int saoPaulo = map.areas.indexOfName(QStringLiteral("são paulo"));
    ASSERT_GE(saoPaulo, 0);
    EXPECT_TRUE(map.areas.lines()[saoPaulo].startsWith(QStringLiteral("SÃO PAULO=")));
    expectAreasInTheirClassColours(db, request, map, legend, QStringLiteral("Unidade_Federativa"));

    LegendFile::remove(LegendFile::path(QStringLiteral("A01"), 1));
    EXPECT_FALSE(QFile::exists(legendFile));
    MapDrawing::MostraMapa(db, request, request.mark(), legend, true);
    EXPECT_NE(legend.upper(2), QStringLiteral("5000"));
}

// The bound columns are 56 pixels wide: a long bound must never show as
// another number, cut at the cell's edge.
TEST(LegendPicture, ABoundWiderThanItsColumnIsNeverCutAtTheEdge) {
    const QRect cell(0, 0, LegendPicture::kColumnWidths[3], LegendPicture::kRowHeights[2]);
    for (const char *bound : {"1613920", "99450315", "123456789012"}) {
        QImage image(cell.size(), QImage::Format_RGB32);
        QPainter painter(&image);
        LegendPicture::paintCell(painter, cell, 2, 3, QString::fromLatin1(bound));
        painter.end();
        const QRgb background = image.pixel(cell.right(), 0);
        int inkAtTheEdge = 0;
        for (int y = 0; y < cell.height(); ++y)
            inkAtTheEdge += image.pixel(cell.right(), y) != background;
        EXPECT_EQ(inkAtTheEdge, 0) << bound;
    }
}

// Each computed method classes every figure that colours an area: no area
// of the map is left black, the counts add up to the areas coloured, and
// the classes saved as the column's legend read back as an edited legend,
// drawing the same map.
TEST_F(SampleMap, ComputedClassesColourEveryAreaAndSaveAsALegend) {
    const struct {
        SelectionState selection;
        const char *field;
    } maps[] = {
        {selection(1), "A01"},
        {selection(4, 31), "A07"},
        {selection(4, 26), "A01"},
        {selection(2, 35), "A07"},
    };
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("Mapas/Legendas")));
    for (const auto &m : maps) {
        for (const ClassMethod method :
             {ClassMethod::EqualIntervals, ClassMethod::Quantiles, ClassMethod::NaturalBreaks}) {
            const CurrentResult &request = run(m.selection, QString::fromUtf8(m.field));
            SCOPED_TRACE(ClassBreaks::menuName(method).toStdString() + " " + m.field + " " +
                         std::to_string(request.grouping()));
            MapDrawing::computeClasses(db, request, request.mark(), method, legend);
            const MapResult computed = MapDrawing::MostraMapa(db, request, request.mark(), legend, false);
            EXPECT_EQ(computed.classCounts[0], 0);
            EXPECT_TRUE(legend.inUse(2)) << "the sample's figures make more than one class";
            EXPECT_EQ(legend.firstClassOutOfOrder(), 0);
            int counted = 0;
            for (int k = 1; k <= MapLegend::kClasses; ++k) {
                counted += computed.classCounts[size_t(k)];
                EXPECT_EQ(computed.classCounts[size_t(k)] > 0, legend.inUse(k)) << "class " << k;
            }
            EXPECT_EQ(counted, computed.colorLines.size());

            // Saved and loaded as the page loads a legend.
            const QString study = ProgramFolder::path();
            ProgramFolder::setPath(dir.path());
            LegendFile::write(LegendFile::path(request.FCampoPercentual(), request.grouping()), legend.uppers());
            ProgramFolder::setPath(study);
            // The map's files come from the study; the legend from the copy.
            MapLegend saved;
            const QString legendFile = dir.filePath(QStringLiteral("Mapas/Legendas/Lg%1_%2.Ini")
                                                        .arg(request.FCampoPercentual())
                                                        .arg(request.grouping()));
            saved.setPercentage(legend.isPercentage());
            saved.load(*LegendFile::read(legendFile));
            EXPECT_EQ(saved.uppers(), legend.uppers());
            const MapResult reloaded = MapDrawing::MostraMapa(db, request, request.mark(), saved, false);
            EXPECT_EQ(reloaded.picture, computed.picture);
        }
    }
}

// The doubling method is the study's own computed legend.
TEST_F(SampleMap, TheDoublingMethodIsTheComputedLegend) {
    const CurrentResult &request = run(selection(4, 26));
    MapLegend computed;
    QString warning;
    ASSERT_FALSE(MapDrawing::CarregaLegenda(db, request, request.mark(), computed, warning));
    MapDrawing::computeClasses(db, request, request.mark(), ClassMethod::Doubling, legend);
    EXPECT_EQ(legend.uppers(), computed.uppers());
}
