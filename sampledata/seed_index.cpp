#include "seed_index.h"

#include <algorithm>
#include <cmath>
#include <limits>

SeedIndex::SeedIndex(const std::vector<QPointF> &seeds) : m_seeds(seeds) {
    if (m_seeds.empty())
        return;
    double left = m_seeds[0].x(), right = left, top = m_seeds[0].y(), bottom = top;
    for (const QPointF &p : m_seeds) {
        left = std::min(left, p.x());
        right = std::max(right, p.x());
        top = std::min(top, p.y());
        bottom = std::max(bottom, p.y());
    }
    m_box = QRectF(QPointF(left, top), QPointF(right, bottom));
    const double area = std::max(m_box.width() * m_box.height(), 1e-9);
    // About two seeds per bucket.
    m_cell = std::max(std::sqrt(2.0 * area / double(m_seeds.size())), 1e-6);
    m_columns = std::max(1, int(m_box.width() / m_cell) + 1);
    m_rows = std::max(1, int(m_box.height() / m_cell) + 1);
    m_buckets.resize(size_t(m_columns) * size_t(m_rows));
    for (int i = 0; i < int(m_seeds.size()); ++i) {
        const int c = bucketOf(m_seeds[i].x(), left, m_columns);
        const int r = bucketOf(m_seeds[i].y(), top, m_rows);
        m_buckets[size_t(r) * m_columns + c].push_back(i);
    }
}

int SeedIndex::bucketOf(double value, double origin, int count) const {
    return std::clamp(int(std::floor((value - origin) / m_cell)), 0, count - 1);
}

int SeedIndex::nearest(QPointF point) const {
    if (m_seeds.empty())
        return -1;
    const int c0 = bucketOf(point.x(), m_box.left(), m_columns);
    const int r0 = bucketOf(point.y(), m_box.top(), m_rows);
    // A point outside the grid is at least this far from every seed.
    const double outsideX = std::max({m_box.left() - point.x(), point.x() - m_box.right(), 0.0});
    const double outsideY = std::max({m_box.top() - point.y(), point.y() - m_box.bottom(), 0.0});
    const double outside = std::hypot(outsideX, outsideY);
    int best = -1;
    double bestDistance = std::numeric_limits<double>::max();
    const int maxRing = std::max(m_columns, m_rows);
    for (int ring = 0; ring <= maxRing; ++ring) {
        // Every seed not looked at yet lies at least (ring - 1) buckets away.
        if (best >= 0) {
            const double reach = std::max(outside, (ring - 1) * m_cell);
            if (reach > 0 && reach * reach > bestDistance)
                break;
        }
        for (int r = r0 - ring; r <= r0 + ring; ++r) {
            if (r < 0 || r >= m_rows)
                continue;
            const bool edgeRow = (r == r0 - ring || r == r0 + ring);
            for (int c = c0 - ring; c <= c0 + ring; c += (edgeRow ? 1 : 2 * ring)) {
                if (c >= 0 && c < m_columns) {
                    for (int i : m_buckets[size_t(r) * m_columns + c]) {
                        const double dx = m_seeds[i].x() - point.x();
                        const double dy = m_seeds[i].y() - point.y();
                        const double d = dx * dx + dy * dy;
                        if (d < bestDistance) {
                            bestDistance = d;
                            best = i;
                        }
                    }
                }
                if (ring == 0)
                    break;
            }
        }
    }
    return best;
}
