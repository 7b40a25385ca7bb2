#include "core/map/area_tracer.h"

#include <algorithm>
#include <bit>

namespace {

// Edge directions as bits of a corner's outgoing edges, clockwise on screen.
enum Direction : quint8 { kRight = 1, kDown = 2, kLeft = 4, kUp = 8 };

QPoint step(quint8 direction) {
    switch (direction) {
    case kRight:
        return {1, 0};
    case kDown:
        return {0, 1};
    case kLeft:
        return {-1, 0};
    default:
        return {0, -1};
    }
}

quint8 rightTurn(quint8 direction) { return direction == kUp ? quint8(kRight) : quint8(direction << 1); }

} // namespace

AreaTracer::AreaTracer(const QImage &picture)
    : m_picture(picture.convertToFormat(QImage::Format_RGB32)),
      m_marks(std::size_t(m_picture.width()) * std::size_t(m_picture.height()), 0) {}

QList<QPolygon> AreaTracer::outline(QPoint seed) {
    if (!m_picture.valid(seed))
        return {};
    const quint32 mark = ++m_call;
    const int width = m_picture.width();
    const int height = m_picture.height();
    const auto pixel = [&](int x, int y) { return reinterpret_cast<const QRgb *>(m_picture.constScanLine(y))[x]; };
    const QRgb target = pixel(seed.x(), seed.y());
    const auto inPatch = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < width && y < height && m_marks[std::size_t(y) * width + x] == mark;
    };

    // The patch, marked run by run as floodFill paints it.
    int left = seed.x(), right = seed.x(), top = seed.y(), bottom = seed.y();
    std::vector<QPoint> stack{seed};
    while (!stack.empty()) {
        const QPoint p = stack.back();
        stack.pop_back();
        quint32 *const marks = m_marks.data() + std::size_t(p.y()) * width;
        if (marks[p.x()] == mark || pixel(p.x(), p.y()) != target)
            continue;
        int from = p.x();
        while (from > 0 && marks[from - 1] != mark && pixel(from - 1, p.y()) == target)
            --from;
        int to = p.x();
        while (to + 1 < width && marks[to + 1] != mark && pixel(to + 1, p.y()) == target)
            ++to;
        std::fill(marks + from, marks + to + 1, mark);
        left = std::min(left, from);
        right = std::max(right, to);
        top = std::min(top, p.y());
        bottom = std::max(bottom, p.y());
        for (const int y : {p.y() - 1, p.y() + 1}) {
            if (y < 0 || y >= height)
                continue;
            for (int x = from; x <= to; ++x) {
                if (pixel(x, y) == target && m_marks[std::size_t(y) * width + x] != mark &&
                    (x == from || pixel(x - 1, y) != target))
                    stack.emplace_back(x, y);
            }
        }
    }

    // Every edge between a pixel of the patch and one outside it, as an
    // outgoing edge of its corner, the patch on its right.
    const int columns = right - left + 2;
    const int rows = bottom - top + 2;
    std::vector<quint8> out(std::size_t(columns) * rows, 0);
    const auto corner = [&](int x, int y) -> quint8 & { return out[std::size_t(y - top) * columns + (x - left)]; };
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            if (!inPatch(x, y))
                continue;
            if (!inPatch(x, y - 1))
                corner(x, y) |= kRight;
            if (!inPatch(x + 1, y))
                corner(x + 1, y) |= kDown;
            if (!inPatch(x, y + 1))
                corner(x + 1, y + 1) |= kLeft;
            if (!inPatch(x - 1, y))
                corner(x, y + 1) |= kUp;
        }
    }

    // The edges linked into rings. The first corner found, row by row, is
    // on the outer ring.
    QList<QPolygon> rings;
    for (int y = top; y <= bottom + 1; ++y) {
        for (int x = left; x <= right + 1; ++x) {
            // A corner where the patch touches itself starts two rings.
            while (corner(x, y)) {
                const QPoint start(x, y);
                QPoint at = start;
                quint8 heading = 0;
                QPolygon ring;
                std::vector<quint8> headings;
                do {
                    quint8 &edges = corner(at.x(), at.y());
                    quint8 next = quint8(edges & -edges);
                    if (std::popcount(edges) > 1 && heading && (edges & rightTurn(heading)))
                        next = rightTurn(heading);
                    edges &= quint8(~next);
                    ring << at;
                    headings.push_back(next);
                    heading = next;
                    at += step(next);
                } while (at != start);
                // Only the corners: a point whose way in and way out agree is
                // in a straight run.
                QPolygon corners;
                for (qsizetype i = 0; i < ring.size(); ++i) {
                    const quint8 in = headings[(std::size_t(i) + headings.size() - 1) % headings.size()];
                    if (in != headings[std::size_t(i)])
                        corners << ring[i];
                }
                rings << corners;
            }
        }
    }
    return rings;
}

QPolygonF AreaTracer::alongBorder(const QPolygon &ring) {
    // The patch lies right of every edge; outwards is its left. At each
    // corner the point moves half a pixel out from both edges that meet
    // there.
    const auto outwards = [](QPoint from, QPoint to) {
        const QPoint d(std::clamp(to.x() - from.x(), -1, 1), std::clamp(to.y() - from.y(), -1, 1));
        return QPointF(d.y(), -d.x());
    };
    QPolygonF moved;
    const qsizetype n = ring.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QPoint before = ring[(i + n - 1) % n];
        const QPoint here = ring[i];
        const QPoint after = ring[(i + 1) % n];
        moved << QPointF(here) + (outwards(before, here) + outwards(here, after)) * 0.5;
    }
    return moved;
}
