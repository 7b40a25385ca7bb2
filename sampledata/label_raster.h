#pragma once

#include <QList>
#include <QPolygonF>
#include <QSize>
#include <vector>

class Viewport;

// One area label per pixel of a map picture; -1 is outside the territory.
class LabelRaster {
public:
    explicit LabelRaster(QSize size);

    int width() const { return m_width; }
    int height() const { return m_height; }
    QSize size() const { return QSize(m_width, m_height); }
    // -1 for a pixel outside the picture as well.
    int at(int x, int y) const {
        return (x < 0 || y < 0 || x >= m_width || y >= m_height) ? -1 : m_labels[size_t(y) * m_width + x];
    }
    void set(int x, int y, int label) { m_labels[size_t(y) * m_width + x] = label; }

    // Gives the label to every pixel whose centre lies inside the rings
    // (even-odd rule, so islands and holes come out right).
    void fillRings(const Viewport &viewport, const QList<QPolygonF> &rings, int label);

    // Outlines of neighbouring states do not meet exactly: the slivers left
    // between them, closed off from the picture's edge, take the label of the
    // nearest labelled pixel.
    void fillEnclosedGaps();

    // Every label l becomes mapping[l] (-1 drops the pixel from the territory).
    void relabel(const std::vector<int> &mapping);

private:
    int m_width;
    int m_height;
    std::vector<int> m_labels;
};
