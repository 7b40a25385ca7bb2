#include "core/map/area_list.h"
#include "core/map/flood_fill.h"
#include "core/map/outline_trace.h"

#include <QFileInfo>
#include <gtest/gtest.h>

// Every municipality of the sample study's largest map, traced along the
// borders from its seed and stored as a line of the area list: the stored
// seed and every stored point lie on that municipality's patch.
TEST(SampleMap, BorderTracesOfTheLargestMapLieOnTheirAreas) {
    const QString base = QStringLiteral(SOLVANE_PROGRAM_DIR "/Mapas/Municipio/MGMun");
    ASSERT_TRUE(QFileInfo::exists(base + QStringLiteral(".Bmp"))) << "the build writes the sample study";
    const QImage map = QImage(base + QStringLiteral(".Bmp")).convertToFormat(QImage::Format_RGB32);
    const QStringList lines = AreaList::readFile(base + QStringLiteral(".Txt"));
    ASSERT_GT(lines.size(), 800);

    constexpr QRgb kBorder = 0xFF000000;
    constexpr QRgb kMarked = 0xFF01FE02;
    for (const QString &line : lines) {
        const QString name = AreaList::nameOf(line);
        QImage patch = map;
        floodFill(patch, AreaList::seedOf(line), kMarked);

        QImage picture = map;
        const OutlineTrace trace = traceAlongBorder(picture, AreaList::seedOf(line), kBorder, 0xFFFF00FF);
        AreaList traced;
        traced.store(name, trace.points, false);
        const QString stored = traced.lines().value(0);
        ASSERT_TRUE(stored.startsWith(name + QLatin1Char('='))) << stored.toStdString();

        EXPECT_EQ(patch.pixel(AreaList::seedOf(stored)), kMarked) << stored.toStdString();
        for (const QString &point : AreaList::valueOf(stored).split(QLatin1Char(','))) {
            const QPoint p = AreaList::seedOf(QLatin1Char('=') + point);
            ASSERT_EQ(patch.pixel(p), kMarked) << name.toStdString() << " " << point.toStdString();
        }
        // The picture is given back as it was once the area is named.
        restoreOutline(picture, trace);
        ASSERT_EQ(picture, map) << name.toStdString();
    }
}
