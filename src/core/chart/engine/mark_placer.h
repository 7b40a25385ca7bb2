#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <limits>
#include <optional>
#include <vector>

class QPainter;

// Places the marks of a chart (the small boxes of text beside the points)
// so that none covers another: a text wider than the widest mark is cut
// with "…", and a mark whose box would come closer than the spacing to one
// already placed, or closer than kGap to a reserved area (title, legend),
// or would leave the chart, is left out. Marks are placed in the order they
// come, so with crowded charts the first points of the table keep theirs.
class MarkPlacer {
public:
    // spacing: the least room between two marks' boxes. With none, boxes may
    // share an edge, as the marks of bars in neighbouring slots as tall as a
    // mark do.
    MarkPlacer(const QRectF &bounds, const QFont &font, qreal spacing = 0);

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

    // The box place() would give the text, and the box of one letter there,
    // whether or not they are free.
    QRectF box(const QPointF &anchor, const QPointF &direction, int arrowLength, const QString &text) const;
    QRectF letterBox(const QPointF &anchor, const QPointF &direction, int arrowLength) const;

    // Whether two boxes keep the spacing between them.
    bool apart(const QRectF &a, const QRectF &b) const;

    // A column of marks beside a figure: each box's near side stands at
    // x = edge, the box to the right of it when toRight, else to its left,
    // and its middle at most reach above or below its anchor, so that no
    // line runs far across the figure. No box goes above top, which moves
    // below each box placed, so the column keeps its marks in the order they
    // are placed and their lines do not cross. Once not even one letter finds
    // room below top the column is full: top only moves down, so no later
    // mark would.
    struct Column {
        qreal edge = 0;
        bool toRight = true;
        qreal reach = std::numeric_limits<qreal>::infinity();
        qreal top = -std::numeric_limits<qreal>::infinity();
        bool full = false;
    };

    // A mark in the column, its box as near the anchor's height as free room
    // allows, joined to the anchor by a line to the middle of the box's near
    // side; a line that would run under another box or a reserved area
    // leaves the mark out. Returns whether the mark found room.
    bool placeInColumn(Column &column, const QPointF &anchor, const QString &text);

    // Whether the column has room for a box one letter wide within reach of
    // the anchor, found before a text is made and measured; when it has
    // none anywhere below its top, it is full from then on.
    bool mayFitInColumn(Column &column, const QPointF &anchor) const;

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
    // The least room between a box and a reserved area, and between boxes
    // that may not touch: the outlines, drawn one pixel wide across the
    // boxes' edges, stay apart.
    static constexpr qreal kGap = 2;

private:
    bool isFree(const QRectF &box) const;
    QRectF boxAt(const QPointF &end, const QPointF &direction, const QSizeF &size) const;
    QSizeF letterSize() const;
    // The text as shown (cut when too wide) and the size of its box.
    QString shownText(const QString &text) const;
    QSizeF boxSize(const QString &shown) const;
    std::optional<qreal> freeTop(qreal left, const QSizeF &size, qreal highest, qreal lowest, qreal wanted) const;
    static qreal columnLeft(const Column &column, qreal width);
    QRectF columnBox(const Column &column, const QPointF &anchor, const QSizeF &size) const;

    QRectF m_bounds;
    QFont m_font;
    qreal m_spacing;
    QFontMetricsF m_metrics;
    std::vector<QRectF> m_reserved;
    std::vector<Mark> m_marks;
};
