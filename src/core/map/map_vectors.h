#pragma once

#include "core/drawing/picture_piece.h"

#include <QByteArray>
#include <QColor>
#include <QList>
#include <QPainterPath>
#include <QSize>
#include <QString>

class QPainter;
struct MapResult;

// The map picture as vectors, for print at any size: the same composition
// as the bitmap (title lines, side texts, legend, map), each area of the
// area list a closed path traced from its patch on the picture before it
// was coloured (AreaTracer: outer ring and holes, one path for each line
// of the list, in its order). A path runs along the middle of the border
// line around its patch, filled with the colour the bitmap gives the patch
// and outlined by a one-pixel black line, so that at scale 1 it covers the
// patch and its border pixels as the bitmap draws them. Each area carries
// its name and figure as its title ("Nome: 1.234"), or "Nome (sem dado)"
// when the table has no row for it. Texts stay texts.
class MapVectors {
  public:
    // One area's path and what it shows.
    struct Area {
        QPainterPath path;
        QColor fill;
        QString title;
    };

    explicit MapVectors(const MapResult &map);

    QSize size() const { return m_size; }
    const QList<Area> &areas() const { return m_areas; }

    // An SVG document with one group for each layer ("fundo", "areas",
    // "textos", "legenda"), a <title> on the document (the title lines)
    // and on each area's path.
    QByteArray svg() const;
    // A PDF of one page the picture's size, a point for each pixel.
    QByteArray pdf() const;
    // Paints the picture at its size, from the painter's origin (a printed
    // report scales it to its page).
    void paint(QPainter &painter) const;

  private:

    QSize m_size;
    QString m_title;
    QList<Area> m_areas;
    QList<PicturePiece> m_texts;
    QList<PicturePiece> m_legend;
};
