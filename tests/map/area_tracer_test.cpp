#include "ascii_map.h"
#include "core/map/area_tracer.h"
#include "core/map/flood_fill.h"

#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QRandomGenerator>
#include <gtest/gtest.h>

using AsciiMap::colorOf;

namespace {

constexpr QRgb kMark = 0xFFFF00FF; // magenta: 's' in an ascii map

// The pixels floodFill paints from the seed, as 's' on the picture.
QStringList patchOf(const QImage &picture, QPoint seed) {
    QImage filled = picture;
    floodFill(filled, seed, kMark);
    return AsciiMap::read(filled);
}

// The rings filled over the picture, as a vector reader draws them.
QStringList ringsFilled(const QImage &picture, const QList<QPolygon> &rings) {
    QImage drawn = picture.convertToFormat(QImage::Format_RGB32);
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    for (const QPolygon &ring : rings)
        path.addPolygon(QPolygonF(ring)), path.closeSubpath();
    QPainter painter(&drawn);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(path, QColor(kMark));
    return AsciiMap::read(drawn);
}

} // namespace

TEST(AreaTracer, RingsKeepOnlyTheirCornersOuterRingFirst) {
    const QImage picture = AsciiMap::draw({
        "######",
        "#aaaa#",
        "#a#aa#",
        "#aaaa#",
        "######",
    });
    AreaTracer tracer(picture);
    const QList<QPolygon> rings = tracer.outline({1, 1});
    ASSERT_EQ(rings.size(), 2);
    EXPECT_EQ(rings[0], QPolygon({{1, 1}, {5, 1}, {5, 4}, {1, 4}}));
    // The hole runs the other way round.
    EXPECT_EQ(rings[1], QPolygon({{2, 2}, {2, 3}, {3, 3}, {3, 2}}));
    EXPECT_TRUE(tracer.outline({-1, 0}).isEmpty());
    EXPECT_TRUE(tracer.outline({6, 0}).isEmpty());
}

// Filling the rings gives back exactly the patch floodFill paints, for
// every seed of pictures with holes, islands, diagonal touches and patches
// at the picture's edges.
TEST(AreaTracer, RingsCoverExactlyTheFloodFilledPatch) {
    QList<QStringList> pictures = {
        {
            "a.a.a",
            ".a.a.",
            "a.a.a",
        },
        {
            "aaaaaaa",
            "a..a..a",
            "a.a.a.a",
            "a..a..a",
            "aaaaaaa",
        },
        {
            "aab",
            "aba",
            "baa",
        },
    };
    QRandomGenerator random(25);
    for (int n = 0; n < 40; ++n) {
        QStringList rows;
        const int w = 3 + random.bounded(8), h = 3 + random.bounded(8);
        for (int y = 0; y < h; ++y) {
            QString row;
            for (int x = 0; x < w; ++x)
                row += QLatin1Char("ab#"[random.bounded(3)]);
            rows << row;
        }
        pictures << rows;
    }
    for (const QStringList &rows : pictures) {
        const QImage picture = AsciiMap::draw(rows);
        AreaTracer tracer(picture);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                ASSERT_EQ(ringsFilled(picture, tracer.outline({x, y})), patchOf(picture, {x, y}))
                    << rows.join(QLatin1Char('\n')).toStdString() << "\nseed " << x << "," << y;
    }
}

// Along the border, filled and outlined by a one-pixel black line, a patch
// keeps every pixel of its own and blackens the pixels around it, corners
// and a hole included: what the map's border lines look like.
TEST(AreaTracer, AlongTheBorderALineCoversThePixelsAroundThePatch) {
    const QImage picture = AsciiMap::draw({
        "........",
        ".######.",
        ".#aaaa#.",
        ".#a##a#.",
        ".#a##a#.",
        ".#aaaa#.",
        ".######.",
        "........",
    });
    AreaTracer tracer(picture);
    QPainterPath path;
    for (const QPolygon &ring : tracer.outline({2, 2}))
        path.addPolygon(AreaTracer::alongBorder(ring)), path.closeSubpath();
    QImage drawn(picture.size(), QImage::Format_RGB32);
    drawn.fill(Qt::white);
    QPainter painter(&drawn);
    painter.setRenderHint(QPainter::Antialiasing);
    // The line's true outline: at scale 1 Qt's raster draws a one-pixel pen
    // by a faster way that leaves out the joins.
    QPainterPathStroker stroker;
    stroker.setWidth(1);
    stroker.setJoinStyle(Qt::MiterJoin);
    painter.fillPath(path, QColor(colorOf('b')));
    painter.fillPath(stroker.createStroke(path), Qt::black);
    painter.end();
    EXPECT_EQ(AsciiMap::read(drawn), QStringList({
                                         "........",
                                         ".######.",
                                         ".#bbbb#.",
                                         ".#b##b#.",
                                         ".#b##b#.",
                                         ".#bbbb#.",
                                         ".######.",
                                         "........",
                                     }));
}
