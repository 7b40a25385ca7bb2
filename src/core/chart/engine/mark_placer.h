#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <vector>

class QPainter;

// Places the marks of a chart (the small boxes of text beside the points)
// so that none covers another: a text wider than the widest mark is cut
// with "…", and a mark whose box would touch one already placed, a reserved
// area (title, legend) or the edge of the chart is left out. Marks are
// placed in the order they come, so with crowded charts the first points of
// the table keep theirs.
class MarkPlacer {
public:
    MarkPlacer(const QRectF &bounds, const QFont &font);

    // An area no mark may cover.
    void reserve(const QRectF &area);

    // A mark for the point at anchor: a line of the given length leaves it
    // in direction (a unit vector on the screen), the box sits beyond the
    // line's end. Returns whether the mark found room.
    bool place(const QPointF &anchor, const QPointF &direction, int arrowLength, const QString &text);

    // Whether a mark there could find room at all: a box one letter wide
    // fits. On a crowded chart most marks do not, and this tells so before
    // their texts are made and measured.
    bool mayFit(const QPointF &anchor, const QPointF &direction, int arrowLength) const;

    // Draws the lines, then the boxes, so no line crosses a box.
    void paint(QPainter &painter) const;

    struct Mark {
        QPointF from;
        QPointF to;
        QRectF box;
        QString text;
    };
    const std::vector<Mark> &marks() const { return m_marks; }

    static constexpr int kMaxTextWidth = 140;

private:
    bool isFree(const QRectF &box) const;
    QRectF boxAt(const QPointF &end, const QPointF &direction, const QSizeF &size) const;

    QRectF m_bounds;
    QFont m_font;
    QFontMetricsF m_metrics;
    std::vector<QRectF> m_reserved;
    std::vector<Mark> m_marks;
};
