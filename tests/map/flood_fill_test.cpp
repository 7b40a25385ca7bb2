#include "ascii_map.h"
#include "core/map/flood_fill.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

#include <deque>

using AsciiMap::colorOf;

TEST(FloodFill, PaintsThePatchThroughSideNeighboursOnly) {
    const struct {
        const char *what;
        QStringList before;
        QPoint seed;
        QStringList after;
    } table[] = {
        {"stops at borders, never through a corner",
         {
             "....#...",
             "....#...",
             "#####...",
             "........",
         },
         {0, 0},
         {
             "aaaa#...",
             "aaaa#...",
             "#####...",
             "........",
         }},
        {"a diagonal gap does not connect",
         {
             "..#",
             ".#.",
             "#..",
         },
         {0, 0},
         {
             "aa#",
             "a#.",
             "#..",
         }},
        {"runs that meet again below and above the seed row",
         {
             "........",
             ".##.###.",
             ".#...#..",
             ".#.#.#.#",
             "...#....",
         },
         {2, 2},
         {
             "aaaaaaaa",
             "a##a###a",
             "a#aaa#aa",
             "a#a#a#a#",
             "aaa#aaaa",
         }},
        {"a spiral",
         {
             "#########",
             "#.......#",
             "#.#####.#",
             "#.#...#.#",
             "#.#.#.#.#",
             "#.#.###.#",
             "#.#.....#",
             "#.#######",
             "#........",
         },
         {4, 3},
         {
             "#########",
             "#aaaaaaa#",
             "#a#####a#",
             "#a#aaa#a#",
             "#a#a#a#a#",
             "#a#a###a#",
             "#a#aaaaa#",
             "#a#######",
             "#aaaaaaaa",
         }},
        {"seed outside the picture",
         {
             "...",
             "...",
         },
         {3, 0},
         {
             "...",
             "...",
         }},
        {"seed already of the colour",
         {
             "aa#",
             ".a#",
         },
         {0, 0},
         {
             "aa#",
             ".a#",
         }},
        {"only the seed's colour is taken",
         {
             "#b.b",
             "bbbb",
         },
         {1, 0},
         {
             "#a.a",
             "aaaa",
         }},
    };
    for (const auto &row : table) {
        QImage picture = AsciiMap::draw(row.before);
        floodFill(picture, row.seed, colorOf('a'));
        EXPECT_EQ(AsciiMap::read(picture), row.after) << row.what;
    }
}

// The same picture filled by a plain breadth-first walk, neighbour by
// neighbour, over noise with many small runs.
TEST(FloodFill, MatchesAPixelByPixelWalkOnNoise) {
    QRandomGenerator random(20001);
    for (int round = 0; round < 20; ++round) {
        QImage picture(61, 43, QImage::Format_RGB32);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                picture.setPixel(x, y, random.bounded(100) < 40 ? colorOf('#') : colorOf('.'));
        const QPoint seed(random.bounded(picture.width()), random.bounded(picture.height()));

        QImage expected = picture;
        const QRgb target = expected.pixel(seed);
        std::deque<QPoint> queue{seed};
        expected.setPixel(seed, colorOf('a'));
        while (!queue.empty()) {
            const QPoint p = queue.front();
            queue.pop_front();
            for (const QPoint step : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
                const QPoint n = p + step;
                if (expected.valid(n) && expected.pixel(n) == target) {
                    expected.setPixel(n, colorOf('a'));
                    queue.push_back(n);
                }
            }
        }

        floodFill(picture, seed, colorOf('a'));
        ASSERT_EQ(AsciiMap::read(picture), AsciiMap::read(expected)) << "round " << round;
    }
}

// Map bitmaps are 24-bit files; a picture in another format is filled too.
TEST(FloodFill, FillsPicturesOfOtherFormats) {
    QImage picture = AsciiMap::draw({"..#.", "..#."}).convertToFormat(QImage::Format_RGB888);
    floodFill(picture, {0, 1}, colorOf('b'));
    EXPECT_EQ(AsciiMap::read(picture), QStringList({"bb#.", "bb#."}));
}
