#pragma once

#include <QImage>
#include <QList>
#include <QPoint>
#include <QPolygon>
#include <QPolygonF>

#include <vector>

// The outlines of map areas as vectors. An area is the patch floodFill
// paints from its seed: every pixel of the seed's colour connected to it
// through side neighbours. Its outline is a list of closed rings along the
// pixels' edges, in corner coordinates (pixel (x, y) covers x to x + 1 and
// y to y + 1): the outer ring first, then one ring for each hole. Every ring
// runs with the patch on its right-hand side as seen on screen (y grows
// downwards), so the outer ring turns clockwise and a hole's ring the other
// way, and a non-zero fill of the rings covers the patch exactly. Where two
// pixels of the patch touch only at a corner the ring turns right there, so
// it never crosses itself. A ring keeps only its corners: points in a
// straight run are dropped.
//
// The tracer is made once per picture and then asked for each area; the
// patches are marked in a buffer of its own, so tracing every area of a map
// costs about one pass over its pixels.
class AreaTracer {
  public:
    // The picture is read as Format_RGB32; colours are compared whole.
    explicit AreaTracer(const QImage &picture);

    // The rings of the patch holding seed; none for a seed outside the
    // picture.
    QList<QPolygon> outline(QPoint seed);

    // A ring moved half a pixel outwards, onto the middle of the pixels
    // around the patch: a one-pixel line along it covers exactly the
    // pixels that border the patch, as the map's border lines do, and the
    // patch stays wholly inside. Where the patch touches itself only at a
    // corner, the line turning there also covers part of the two pixels that
    // meet: no line one pixel wide passes between them.
    static QPolygonF alongBorder(const QPolygon &ring);

  private:
    QImage m_picture;
    // Which call marked each pixel last.
    std::vector<quint32> m_marks;
    quint32 m_call = 0;
};
