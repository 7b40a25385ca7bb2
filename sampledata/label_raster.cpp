#include "label_raster.h"

#include "viewport.h"

#include <algorithm>
#include <cmath>
#include <deque>

LabelRaster::LabelRaster(QSize size)
    : m_width(size.width()), m_height(size.height()), m_labels(size_t(size.width()) * size.height(), -1) {}

void LabelRaster::fillRings(const Viewport &viewport, const QList<QPolygonF> &rings, int label) {
    struct Edge {
        QPointF a;
        QPointF b;
    };
    std::vector<Edge> edges;
    double top = m_height, bottom = 0;
    for (const QPolygonF &ring : rings) {
        for (int i = 0; i < ring.size(); ++i) {
            const QPointF a = viewport.toPixel(ring[i]);
            const QPointF b = viewport.toPixel(ring[(i + 1) % ring.size()]);
            if (a.y() == b.y())
                continue;
            edges.push_back({a, b});
            top = std::min({top, a.y(), b.y()});
            bottom = std::max({bottom, a.y(), b.y()});
        }
    }
    std::vector<double> crossings;
    const int firstRow = std::max(0, int(std::floor(top)));
    const int lastRow = std::min(m_height - 1, int(std::ceil(bottom)));
    for (int y = firstRow; y <= lastRow; ++y) {
        const double centre = y + 0.5;
        crossings.clear();
        for (const Edge &e : edges) {
            const double y0 = std::min(e.a.y(), e.b.y());
            const double y1 = std::max(e.a.y(), e.b.y());
            if (centre < y0 || centre >= y1)
                continue;
            const double t = (centre - e.a.y()) / (e.b.y() - e.a.y());
            crossings.push_back(e.a.x() + t * (e.b.x() - e.a.x()));
        }
        std::sort(crossings.begin(), crossings.end());
        for (size_t i = 0; i + 1 < crossings.size(); i += 2) {
            // Pixels whose centre x + 0.5 lies in [from, to).
            const int from = std::max(0, int(std::ceil(crossings[i] - 0.5)));
            const int to = std::min(m_width - 1, int(std::ceil(crossings[i + 1] - 0.5)) - 1);
            for (int x = from; x <= to; ++x)
                set(x, y, label);
        }
    }
}

void LabelRaster::fillEnclosedGaps() {
    std::deque<int> queue;
    // Takes pixels from the queue in order and offers each of their four
    // neighbours inside the picture to visit(from, neighbour).
    const auto spread = [&](const auto &visit) {
        while (!queue.empty()) {
            const int i = queue.front();
            queue.pop_front();
            const int x = i % m_width, y = i / m_width;
            const int next[4][2] = {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}};
            for (const auto &n : next)
                if (n[0] >= 0 && n[1] >= 0 && n[0] < m_width && n[1] < m_height)
                    visit(i, n[1] * m_width + n[0]);
        }
    };
    // Unlabelled pixels reachable from the picture's edge are the outside.
    std::vector<char> outside(m_labels.size(), 0);
    const auto reach = [&](int, int n) {
        if (m_labels[size_t(n)] < 0 && !outside[size_t(n)]) {
            outside[size_t(n)] = 1;
            queue.push_back(n);
        }
    };
    for (int x = 0; x < m_width; ++x) {
        reach(-1, x);
        reach(-1, (m_height - 1) * m_width + x);
    }
    for (int y = 0; y < m_height; ++y) {
        reach(-1, y * m_width);
        reach(-1, y * m_width + m_width - 1);
    }
    spread(reach);
    // The enclosed ones grow inwards from their labelled surroundings.
    for (size_t i = 0; i < m_labels.size(); ++i)
        if (m_labels[i] >= 0)
            queue.push_back(int(i));
    spread([&](int from, int n) {
        if (m_labels[size_t(n)] < 0 && !outside[size_t(n)]) {
            m_labels[size_t(n)] = m_labels[size_t(from)];
            queue.push_back(n);
        }
    });
}

void LabelRaster::relabel(const std::vector<int> &mapping) {
    for (int &label : m_labels)
        if (label >= 0)
            label = mapping[size_t(label)];
}
