#pragma once

#include <QPointF>
#include <QRectF>
#include <QSize>

// Maps the outline drawing's units onto the pixels of a picture: the
// territory is scaled to fill the picture, centred, inside a margin.
class Viewport {
public:
    Viewport(const QRectF &territory, QSize picture, int margin);

    QSize size() const { return m_size; }
    double scale() const { return m_scale; }
    QPointF toPixel(QPointF drawing) const { return (drawing - m_origin) * m_scale + m_offset; }
    QPointF toDrawing(QPointF pixel) const { return (pixel - m_offset) / m_scale + m_origin; }

private:
    QSize m_size;
    QPointF m_origin;
    QPointF m_offset;
    double m_scale;
};
