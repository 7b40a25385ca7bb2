#include "ascii_map.h"
#include "base/data/app_error.h"
#include "core/map/area_coloring.h"
#include "core/map/area_hover.h"
#include "core/map/area_list.h"

#include <gtest/gtest.h>

namespace {

// Three areas and an island: "Norte" with lettering inside, "Leste" around
// the island "Ilha", and "Sul". Each line lists the top pixel of every
// column of its area that a hover should find.
const QStringList kMap = {
    "############", "#....#.....#", "#.xx.#.....#", "#....#.###.#",
    "######.#.#.#", "#....#.###.#", "#....#.....#", "############",
};

const QStringList kAreas = {
    "Norte=(1/1),(2/1),(3/1),(4/1)",
    "Leste=(6/1),(7/1),(8/1),(9/1),(10/1)",
    "Ilha=(8/4)",
    "Sul=(1/5),(2/5),(3/5),(4/5)",
};

// Colour numbers: red + 256 * green + 65536 * blue.
const QString kRed = QStringLiteral("255");
const QString kGreen = QStringLiteral("65280");
const QString kBlue = QStringLiteral("16711680");

// The map moved down by rows of lettering, as the map view moves it under
// its title band.
QStringList shiftedDown(const QStringList &rows, int by) {
    QStringList shifted;
    for (int i = 0; i < by; ++i)
        shifted << QString(rows[0].size(), QLatin1Char('x'));
    return shifted + rows;
}

} // namespace

TEST(AreaColoring, FillsEachListedAreaFromItsSeed) {
    const struct {
        const char *what;
        QStringList areas;
        QStringList colors;
        QStringList after;
    } table[] = {
        {"names match ignoring case; lettering and unlisted areas keep their colour",
         kAreas,
         {"NORTE=" + kRed, "leste=" + kGreen, "Ilha=" + kBlue},
         {
             "############",
             "#aaaa#bbbbb#",
             "#axxa#bbbbb#",
             "#aaaa#b###b#",
             "######b#c#b#",
             "#....#b###b#",
             "#....#bbbbb#",
             "############",
         }},
        {"every line of a name gets that name's colour; an empty value is skipped",
         {"Norte=(1/1)", "Leste=(6/1)", "Norte=(4/6),(1/5)"},
         {"Norte=" + kBlue, "Leste="},
         {
             "############",
             "#cccc#.....#",
             "#cxxc#.....#",
             "#cccc#.###.#",
             "######.#.#.#",
             "#cccc#.###.#",
             "#cccc#.....#",
             "############",
         }},
        {"a seed outside the picture colours nothing",
         {"Fora=(40/3)", "Sul=(-1/5)", "Ilha=(8/4)"},
         {"Fora=" + kRed, "Sul=" + kRed, "Ilha=" + kRed},
         {
             "############",
             "#....#.....#",
             "#.xx.#.....#",
             "#....#.###.#",
             "######.#a#.#",
             "#....#.###.#",
             "#....#.....#",
             "############",
         }},
        {"an empty colour list changes nothing, whatever the area list holds", {"Norte=(x/y)", "Sul=(1/5)"}, {}, kMap},
    };
    for (const auto &row : table) {
        QImage picture = AsciiMap::draw(kMap);
        colorAreas(picture, AreaList(row.areas), AreaList(row.colors), 0);
        EXPECT_EQ(AsciiMap::read(picture), row.after) << row.what;
    }
}

TEST(AreaColoring, AnAreaAlreadyOfItsColourStaysAsItIs) {
    QImage picture = AsciiMap::draw(kMap);
    const AreaList colors({"Norte=" + kRed, "Sul=" + kRed});
    colorAreas(picture, AreaList(kAreas), colors, 0);
    const QStringList once = AsciiMap::read(picture);
    colorAreas(picture, AreaList(kAreas), colors, 0);
    EXPECT_EQ(AsciiMap::read(picture), once);
    EXPECT_EQ(once[5], QStringLiteral("#aaaa#.###.#"));
}

TEST(AreaColoring, TagMovesTheSeedsDown) {
    QImage picture = AsciiMap::draw(shiftedDown(kMap, 3));
    colorAreas(picture, AreaList(kAreas), AreaList({"Ilha=" + kGreen, "Sul=" + kBlue}), 3);
    const QStringList after = AsciiMap::read(picture);
    EXPECT_EQ(after[0], QStringLiteral("xxxxxxxxxxxx"));
    EXPECT_EQ(after[3 + 4], QStringLiteral("######.#b#.#"));
    EXPECT_EQ(after[3 + 6], QStringLiteral("#cccc#.....#"));
}

// A malformed line stops the colouring with an error naming what is wrong;
// the areas before it stay coloured, those after it are not reached.
TEST(AreaColoring, AMalformedSeedOrColourStopsTheColouring) {
    const struct {
        const char *leste;
        const char *lesteColor;
        const char *inMessage;
    } table[] = {
        {"Leste=(6;1)", "65280", "\"Leste=(6;1)\""}, {"Leste=6/1", "65280", "\"Leste=6/1\""},
        {"Leste=(x/1)", "65280", "\"Leste=(x/1)\""}, {"Leste=(6/1)", "verde", "\"verde\""},
        {"Leste=(6/1)", "12.5", "\"12.5\""},         {"Leste=(6/1)", "99999999999", "\"99999999999\""},
        {"Leste=(6/2147483640)", "65280", "\"Leste=(6/2147483640)\""},
    };
    for (const auto &row : table) {
        QImage picture = AsciiMap::draw(kMap);
        const AreaList areas({"Norte=(1/1)", QString::fromUtf8(row.leste), "Sul=(1/5)"});
        const AreaList colors({"Norte=" + kRed, "Leste=" + QString::fromUtf8(row.lesteColor), "Sul=" + kRed});
        try {
            colorAreas(picture, areas, colors, 0);
            ADD_FAILURE() << row.leste << " " << row.lesteColor << " was accepted";
        } catch (const AppError &error) {
            EXPECT_TRUE(error.message().contains(QString::fromUtf8(row.inMessage))) << error.message().toStdString();
        }
        const QStringList after = AsciiMap::read(picture);
        EXPECT_EQ(after[1], QStringLiteral("#aaaa#.....#")) << row.leste;
        EXPECT_EQ(after[5], QStringLiteral("#....#.###.#")) << row.leste;
    }
}

TEST(AreaHover, NamesTheAreaWhoseListedPointTopsThePointedRun) {
    const QImage picture = AsciiMap::draw(kMap);
    const AreaList areas(kAreas);
    const struct {
        QPoint pointer;
        const char *name;
    } table[] = {
        {{1, 3}, "Norte"}, {{4, 1}, "Norte"}, {{10, 6}, "Leste"},
        {{8, 4}, "Ilha"},  {{2, 6}, "Sul"},   {{2, 3}, ""}, // under the lettering the run starts below it
        {{3, 2}, ""},                                       // on the lettering
        {{5, 3}, ""},                                       // on a border
        {{8, 6}, ""},                                       // below the island's ring, a column the list does not top
        {{20, 3}, ""},                                      // outside the picture
    };
    for (const auto &row : table)
        EXPECT_EQ(areaNameAt(picture, row.pointer, areas, 0), QString::fromUtf8(row.name))
            << row.pointer.x() << "/" << row.pointer.y();
}

TEST(AreaHover, TagAndAnEmptyList) {
    const QImage picture = AsciiMap::draw(shiftedDown(kMap, 40));
    EXPECT_EQ(areaNameAt(picture, {1, 3 + 40}, AreaList(kAreas), 40), QStringLiteral("Norte"));
    EXPECT_EQ(areaNameAt(picture, {1, 3 + 40}, AreaList(kAreas), 0), QString());
    EXPECT_EQ(areaNameAt(picture, {1, 3 + 40}, AreaList(), 40), QString());
}
