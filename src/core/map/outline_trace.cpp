#include "core/map/outline_trace.h"

#include "core/map/map_pixels.h"

#include <QSet>

#include <algorithm>
#include <iterator>
#include <optional>

using MapPixels::colorAt;

namespace {

enum class Move { None, Right, Up, Down, Left };

QPoint offset(Move move) {
    switch (move) {
    case Move::Right:
        return {1, 0};
    case Move::Up:
        return {0, -1};
    case Move::Down:
        return {0, 1};
    case Move::Left:
        return {-1, 0};
    case Move::None:
        break;
    }
    return {0, 0};
}

// The side a move keeps its wall on: going right the wall is above, going
// up it is on the left, going down on the right, going left below.
Move wallSide(Move move) {
    switch (move) {
    case Move::Right:
        return Move::Up;
    case Move::Up:
        return Move::Left;
    case Move::Down:
        return Move::Right;
    case Move::Left:
        return Move::Down;
    case Move::None:
        break;
    }
    return Move::None;
}

// The heading a border trace takes when the way ahead of a dead end is shut.
Move turned(Move move) {
    switch (move) {
    case Move::Down:
        return Move::Left;
    case Move::Up:
        return Move::Down;
    case Move::Right:
        return Move::Up;
    case Move::Left:
        return Move::Right;
    case Move::None:
        break;
    }
    return Move::None;
}

constexpr Move kBorderOrder[] = {Move::Right, Move::Up, Move::Down, Move::Left};
constexpr Move kColorOrder[] = {Move::Right, Move::Down, Move::Left, Move::Up};
constexpr QPoint kDiagonals[] = {{1, -1}, {1, 1}, {-1, -1}, {-1, 1}};

// Passes over visited points after which a stuck trace gives up: in a
// border trace, consecutive revisits; in a colour trace, passes since the
// trace last reached a new pixel of the patch.
constexpr int kStreakLimit = 51;

class PointSet {
  public:
    bool contains(QPoint p) const { return m_keys.contains(key(p)); }
    void insert(QPoint p) { m_keys.insert(key(p)); }

  private:
    static quint64 key(QPoint p) { return (quint64(quint32(p.x())) << 32) | quint32(p.y()); }
    QSet<quint64> m_keys;
};

} // namespace

OutlineTrace traceAlongBorder(QImage &picture, QPoint click, QRgb border, QRgb selection) {
    OutlineTrace trace;
    if (!picture.valid(click))
        return trace;
    if (picture.format() != QImage::Format_RGB32)
        picture.convertTo(QImage::Format_RGB32);
    const qint64 wall = MapPixels::colorOf(border);
    const auto isWall = [&](QPoint q) { return colorAt(picture, q) == wall; };

    QPoint start = click;
    for (int y = click.y(); y >= 0; --y) {
        if (isWall(QPoint(click.x(), y))) {
            start = QPoint(click.x(), y + 1);
            break;
        }
    }
    trace.start = start;
    if (!picture.valid(start))
        return trace;

    PointSet outline;
    PointSet deadEnds;
    QPoint p = start;
    Move heading = Move::None;
    int streak = 0;
    // A step to a point off the walls and off the outline that keeps a wall
    // on its wall side, beside the target or beside the point it leaves.
    const auto followsWall = [&](QPoint from, Move move) {
        const QPoint n = from + offset(move);
        const QPoint side = offset(wallSide(move));
        return picture.valid(n) && !isWall(n) && (isWall(n + side) || isWall(from + side)) && !outline.contains(n);
    };
    do {
        if (!outline.contains(p)) {
            streak = 0;
            trace.savedColors << picture.pixel(p);
            trace.points << p;
            outline.insert(p);
            picture.setPixel(p, selection);
            // A first step needs the wall beside p itself, or the outline
            // there, so the trace does not cut across the area.
            for (const Move move : kBorderOrder) {
                const QPoint besideP = p + offset(wallSide(move));
                if (followsWall(p, move) && (isWall(besideP) || outline.contains(besideP))) {
                    p += offset(move);
                    heading = move;
                    break;
                }
            }
            continue;
        }
        ++streak;
        const int below = p.y() - start.y();
        if (p.x() == start.x() && below >= 1 && below <= 3)
            break;
        const auto move = std::find_if(std::begin(kBorderOrder), std::end(kBorderOrder),
                                       [&](Move m) { return followsWall(p, m) && !deadEnds.contains(p + offset(m)); });
        if (move != std::end(kBorderOrder)) {
            p += offset(*move);
            continue;
        }
        if (streak > kStreakLimit)
            break;
        deadEnds.insert(p);
        if (heading == Move::None)
            continue;
        const QPoint ahead = p + offset(heading);
        if (!picture.valid(ahead) || isWall(ahead) || deadEnds.contains(ahead))
            heading = turned(heading);
        else
            p = ahead;
    } while (p != start);
    return trace;
}

OutlineTrace traceAlongColor(const QImage &picture, QPoint click) {
    OutlineTrace trace;
    if (!picture.valid(click))
        return trace;
    const qint64 patch = colorAt(picture, click);
    const auto inPatch = [&](QPoint q) { return colorAt(picture, q) == patch; };
    const QPoint start(click.x(), MapPixels::runTop(picture, click));
    trace.start = start;

    PointSet outline;
    QPoint p = start;
    Move heading = Move::None;
    int streak = 0;
    // A step to a pixel of the patch with the patch's edge on its wall side.
    const auto followsEdge = [&](QPoint from, Move move) {
        const QPoint n = from + offset(move);
        const QPoint side = offset(wallSide(move));
        return inPatch(n) && (!inPatch(n + side) || !inPatch(from + side));
    };
    // On a revisit: an edge step to a point not yet on the outline, else a
    // diagonal step to such a point of the patch.
    const auto nextOnRevisit = [&](QPoint from) -> std::optional<QPoint> {
        for (const Move move : kColorOrder) {
            const QPoint n = from + offset(move);
            if (followsEdge(from, move) && !outline.contains(n))
                return n;
        }
        for (const QPoint diagonal : kDiagonals) {
            const QPoint n = from + diagonal;
            if (inPatch(n) && !outline.contains(n))
                return n;
        }
        return std::nullopt;
    };
    do {
        if (!outline.contains(p)) {
            if (inPatch(p))
                streak = 0;
            trace.points << p;
            outline.insert(p);
            for (const Move move : kColorOrder) {
                if (followsEdge(p, move)) {
                    p += offset(move);
                    heading = move;
                    break;
                }
            }
            continue;
        }
        ++streak;
        if (const auto next = nextOnRevisit(p)) {
            p = *next;
            continue;
        }
        const QPoint ahead = p + offset(heading);
        if (heading == Move::None || streak > kStreakLimit || !picture.valid(ahead))
            break;
        p = ahead;
    } while (p != start);
    return trace;
}

void restoreOutline(QImage &picture, const OutlineTrace &trace) {
    for (qsizetype i = 0; i < trace.savedColors.size() && i < trace.points.size(); ++i)
        picture.setPixel(trace.points[i], trace.savedColors[i]);
}
