#pragma once

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QString>

class QPainter;

// One piece of a composed picture, laid out once and drawn alike by the
// bitmap painter and the vector writers: a box filled with color, or (when
// text is not empty) a line of text in font and color written from the left
// end of its baseline, kept inside clip when clip is not empty.
struct PicturePiece {
    QRectF box;
    QColor color;
    QString text;
    QFont font;
    QPointF baseline;
    QRectF clip;

    static PicturePiece filled(const QRectF &box, const QColor &color) { return {box, color, {}, {}, {}, {}}; }
    static PicturePiece written(const QPointF &baseline, const QString &text, const QFont &font, const QColor &color,
                                const QRectF &clip = {}) {
        return {{}, color, text, font, baseline, clip};
    }

    bool isText() const { return !text.isEmpty(); }
    PicturePiece translated(const QPointF &offset) const;
    void paint(QPainter &painter) const;
};
