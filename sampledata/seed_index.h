#pragma once

#include <QPointF>
#include <QRectF>
#include <vector>

// Nearest-seed lookups over a fixed set of points, through a uniform grid of
// buckets: a Voronoi cell is the set of places nearest to its seed.
class SeedIndex {
public:
    explicit SeedIndex(const std::vector<QPointF> &seeds);

    // Index of the seed nearest to the point; -1 when there are no seeds.
    int nearest(QPointF point) const;

private:
    int bucketOf(double value, double origin, int count) const;

    std::vector<QPointF> m_seeds;
    QRectF m_box;
    double m_cell = 1.0;
    int m_columns = 1;
    int m_rows = 1;
    std::vector<std::vector<int>> m_buckets;
};
