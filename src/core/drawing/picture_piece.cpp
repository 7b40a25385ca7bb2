#include "core/drawing/picture_piece.h"

#include <QPainter>

void PicturePiece::paint(QPainter &painter) const {
    if (!isText()) {
        painter.fillRect(box, color);
        return;
    }
    painter.save();
    if (!clip.isEmpty())
        painter.setClipRect(clip);
    painter.setFont(font);
    painter.setPen(color);
    painter.drawText(baseline, text);
    painter.restore();
}

PicturePiece PicturePiece::translated(const QPointF &offset) const {
    PicturePiece moved = *this;
    moved.box.translate(offset);
    moved.baseline += offset;
    moved.clip.translate(offset);
    return moved;
}
