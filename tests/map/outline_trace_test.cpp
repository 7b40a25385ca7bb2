#include "ascii_map.h"
#include "core/map/outline_trace.h"

#include <QRandomGenerator>
#include <QSet>
#include <gtest/gtest.h>

#include <algorithm>

using AsciiMap::colorOf;

namespace {

// The drawing with the outline's points numbered in visiting order
// (0-9, then A-Z, then '*').
QStringList numbered(const QStringList &rows, const OutlineTrace &trace) {
    QStringList result = rows;
    for (int i = 0; i < trace.points.size(); ++i) {
        const QPoint p = trace.points[i];
        if (p.y() >= 0 && p.y() < result.size() && p.x() >= 0 && p.x() < result[p.y()].size())
            result[p.y()][p.x()] = i < 10 ? QChar('0' + i) : i < 36 ? QChar('A' + i - 10) : QChar('*');
    }
    return result;
}

OutlineTrace traceBorder(const QStringList &rows, QPoint click) {
    QImage picture = AsciiMap::draw(rows);
    return traceAlongBorder(picture, click, colorOf('#'), colorOf('s'));
}

OutlineTrace traceColor(const QStringList &rows, QPoint click) { return traceAlongColor(AsciiMap::draw(rows), click); }

const QStringList kLettered = {
    "##########", "#........#", "#..xx....#", "#........#", "##########",
};

} // namespace

TEST(BorderTrace, FollowsTheBorderRoundTheAreaBackToItsStart) {
    QImage picture = AsciiMap::draw(kLettered);
    const OutlineTrace trace = traceAlongBorder(picture, {4, 3}, colorOf('#'), colorOf('s'));
    EXPECT_EQ(trace.start, QPoint(4, 1)); // below the border above the click, over the lettering
    EXPECT_EQ(numbered(kLettered, trace), QStringList({
                                              "##########",
                                              "#FGH01234#",
                                              "#E.xx...5#",
                                              "#DCBA9876#",
                                              "##########",
                                          }));
    EXPECT_EQ(AsciiMap::read(picture), QStringList({
                                           "##########",
                                           "#ssssssss#",
                                           "#s.xx...s#",
                                           "#ssssssss#",
                                           "##########",
                                       }));
    restoreOutline(picture, trace);
    EXPECT_EQ(AsciiMap::read(picture), kLettered);
}

TEST(BorderTrace, AClickOnABorderStartsRightBelowIt) {
    const QStringList rows = {
        "#######", "#.....#", "#######", "#.....#", "#.....#", "#######",
    };
    const OutlineTrace trace = traceBorder(rows, {3, 2});
    EXPECT_EQ(trace.start, QPoint(3, 3));
    EXPECT_EQ(numbered(rows, trace), QStringList({
                                         "#######",
                                         "#.....#",
                                         "#######",
                                         "#89012#",
                                         "#76543#",
                                         "#######",
                                     }));
    // Below the bottom border there is no picture left to trace, and a
    // click outside the picture finds nothing either.
    QImage picture = AsciiMap::draw(rows);
    EXPECT_TRUE(traceAlongBorder(picture, {3, 5}, colorOf('#'), colorOf('s')).isEmpty());
    EXPECT_TRUE(traceAlongBorder(picture, {7, 1}, colorOf('#'), colorOf('s')).isEmpty());
    EXPECT_EQ(AsciiMap::read(picture), rows);
}

// Coming back down its first column, the trace ends on the pixels right
// below the start, though the left part of the area is not traced yet.
TEST(BorderTrace, EndsOnRevisitingThePixelsBelowTheStart) {
    const QStringList rows = {
        "#######", "#.#.###", "#.....#", "#.#...#", "##..#.#", "#######",
    };
    EXPECT_EQ(numbered(rows, traceBorder(rows, {3, 1})), QStringList({
                                                             "#######",
                                                             "#.#0###",
                                                             "#..123#",
                                                             "#.#764#",
                                                             "##98#5#",
                                                             "#######",
                                                         }));
}

// A dead-end corridor off the room: the trace walks back out over its own
// points and goes on round the room, unless the walk back takes more than
// 51 steps, when the trace ends in the corridor.
TEST(BorderTrace, GivesUpAfterMoreThan51StepsOverItsOwnPoints) {
    const auto room = [](int corridor) {
        const QString wall(corridor + 1, QLatin1Char('#'));
        return QStringList{
            "#######" + wall, "#.....#" + wall, "#.....#" + wall, "#......" + QString(corridor, QLatin1Char('.')) + "#",
            "#.....#" + wall, "#.....#" + wall, "#######" + wall,
        };
    };
    const OutlineTrace shortCorridor = traceBorder(room(40), {3, 4});
    EXPECT_TRUE(shortCorridor.points.contains(QPoint(1, 5)));
    EXPECT_TRUE(shortCorridor.points.contains(QPoint(46, 3)));
    const OutlineTrace longCorridor = traceBorder(room(60), {3, 4});
    EXPECT_FALSE(longCorridor.points.contains(QPoint(1, 5)));
    EXPECT_TRUE(longCorridor.points.contains(QPoint(66, 3)));
}

TEST(ColorTrace, FollowsTheEdgeOfTheClickedColourFromTheTopOfItsRun) {
    const QStringList plain = {
        "##########", "#........#", "#........#", "#........#", "##########",
    };
    QImage picture = AsciiMap::draw(plain);
    const OutlineTrace trace = traceAlongColor(picture, {2, 3});
    EXPECT_EQ(trace.start, QPoint(2, 1));
    EXPECT_TRUE(trace.savedColors.isEmpty());
    EXPECT_EQ(numbered(plain, trace), QStringList({
                                          "##########",
                                          "#H0123456#",
                                          "#G......7#",
                                          "#FEDCBA98#",
                                          "##########",
                                      }));
    EXPECT_EQ(traceColor(kLettered, {3, 3}).start, QPoint(3, 3)); // the run begins below the lettering
}

// Round lettering the trace finds no edge step left, steps straight on out
// of the area, across the border and to the picture's edge, where it ends
// instead of walking on for ever.
TEST(ColorTrace, EndsWhereStepsOverItsOwnPointsWouldLeaveThePicture) {
    EXPECT_EQ(numbered(kLettered, traceColor(kLettered, {2, 3})), QStringList({
                                                                      "#######G##",
                                                                      "#.0123456#",
                                                                      "#..xxDEF7#",
                                                                      "#...CBA98#",
                                                                      "#######H##",
                                                                  }));
    // The same area under a wide margin: the walk out across the margin
    // ends 51 passes after the trace last found a new pixel of the area.
    QStringList underMargin(70, QString(10, QLatin1Char('.')));
    for (const QString &row : kLettered)
        underMargin << QString(row).replace(QLatin1Char('.'), QLatin1Char('a'));
    const OutlineTrace trace = traceColor(underMargin, {2, 73});
    const auto inMargin = std::count_if(trace.points.begin(), trace.points.end(), [](QPoint p) { return p.y() < 70; });
    EXPECT_GT(inMargin, 0);
    EXPECT_LE(inMargin, 51);
    EXPECT_EQ(trace.points.value(15), QPoint(7, 72)); // the area's part of the outline, as without the margin
}

// Random pictures, with and without a frame, clicked anywhere: every trace
// ends, stays in the picture, visits each point once, begins at its start,
// and a border trace gives the picture back as it was.
TEST(OutlineTrace, EveryTraceEndsInsideThePicture) {
    QRandomGenerator random(4231);
    for (int round = 0; round < 400; ++round) {
        const bool framed = round % 2 == 0;
        QStringList rows;
        for (int y = 0; y < 9; ++y) {
            QString row;
            for (int x = 0; x < 12; ++x) {
                const bool edge = x == 0 || y == 0 || x == 11 || y == 8;
                row += (framed && edge) || random.bounded(100) < 30 ? QLatin1Char('#') : QLatin1Char('.');
            }
            rows << row;
        }
        const QPoint click(random.bounded(12), random.bounded(9));
        QImage picture = AsciiMap::draw(rows);
        for (const OutlineTrace &trace : {traceBorder(rows, click), traceColor(rows, click)}) {
            QSet<QPair<int, int>> seen;
            for (const QPoint p : trace.points) {
                ASSERT_TRUE(picture.valid(p)) << "round " << round;
                seen.insert({p.x(), p.y()});
            }
            EXPECT_EQ(seen.size(), trace.points.size()) << "round " << round;
            if (!trace.isEmpty()) {
                EXPECT_EQ(trace.points.first(), trace.start) << "round " << round;
            }
        }
        restoreOutline(picture, traceAlongBorder(picture, click, colorOf('#'), colorOf('s')));
        EXPECT_EQ(AsciiMap::read(picture), rows) << "round " << round;
    }
}
