#pragma once

#include "core/drawing/picture_piece.h"

#include <QImage>
#include <QList>
#include <QSize>
#include <QStringList>

// The map picture around the map bitmap: a white title band of 40 rows on
// top, and a white strip of 160 columns at the right that holds the place,
// the grouping level and the legend. Only the left 460 columns show on the
// map page; the exported picture is the whole.
namespace MapPicture {

// The map component's size: the picture's left part that shows on screen.
inline const QSize kMapSize{460, 460};
// Rows the map moves down for the title band; the area list's points are
// this many rows higher than the picture's pixels.
inline constexpr int kTitleBand = 40;
inline constexpr int kSideStrip = 160;

struct Texts {
    QStringList titleLines;
    QString nomeLocalCaption; // lblNomeLocal
    QString nomeLocalText;    // edtNomeLocal
    bool nomeLocalVisible = false;
    QString mapaDeTitCaption = QStringLiteral("Mapa de:"); // lblMapaDeTit
    QString mapaDe;                                       // lblMapaDe
};

// The title lines centred over the map and the side texts, as pieces of
// the picture.
QList<PicturePiece> texts(const Texts &texts);

// Where the legend's top left corner sits in the picture.
QPoint legendAt();

// The bitmap enlarged by the band and the strip, its top 460 x 420 moved
// down under the band, the title lines centred over the map, the side texts
// and the legend's image beside it. The areas are coloured afterwards.
QImage compose(const QImage &bitmap, const Texts &texts, const QImage &legend);

} // namespace MapPicture
