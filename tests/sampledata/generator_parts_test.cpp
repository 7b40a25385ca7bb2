// The parts of the sample-study generator on small hand-made inputs.
#include "area_map_writer.h"
#include "sample_study_generator.h"
#include "seed_index.h"
#include "state_outlines.h"
#include "topic_catalogue.h"
#include "viewport.h"

#include "base/data/app_error.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(OutlinePath, ReadsMovesLinesAndClosures) {
    const struct {
        const char *d;
        QList<QPolygonF> rings;
    } cases[] = {
        // Pairs after a relative move are relative line-tos; after "z" the
        // next move starts from the closed ring's first point.
        {"m 1,1 2,0 0,2 z m 5,5 1,0 0,1 z", {QPolygonF({{1, 1}, {3, 1}, {3, 3}}), QPolygonF({{6, 6}, {7, 6}, {7, 7}})}},
        {"M 10 10 L 20 10 L 20 20 Z", {QPolygonF({{10, 10}, {20, 10}, {20, 20}})}},
        {"M0,0 h 4 v 4 H 0 z", {QPolygonF({{0, 0}, {4, 0}, {4, 4}, {0, 4}})}},
        {"m 0,0 1e1,0 0,-5.5 z", {QPolygonF({{0, 0}, {10, 0}, {10, -5.5}})}},
        // Fewer than three points make no ring.
        {"m 0,0 1,1 z", {}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(StateOutlines::parsePath(QString::fromLatin1(c.d)), c.rings) << c.d;
    EXPECT_THROW(StateOutlines::parsePath(QStringLiteral("M 0 0 C 1 1 2 2 3 3")), AppError);
    EXPECT_THROW(StateOutlines::parsePath(QStringLiteral("M 0 0 L 1")), AppError);
}

TEST(CatalogueLookAhead, HeadingsWithNothingUnderThemBecomeValues) {
    const struct {
        QStringList levels;
        std::vector<bool> values;
    } cases[] = {
        {{"P", "PF", "F", "F", "PF", "P", "P"}, {false, false, true, true, true, true, true}},
        {{"P"}, {true}},
        {{"P", "P", "F"}, {true, false, true}},
        {{"P", "PF", "PFF", "F", "PFF", "PF"}, {false, false, false, true, true, true}},
        {{"P", "PF", "PFF"}, {false, false, true}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(TopicCatalogue::valueRows(c.levels), c.values) << qPrintable(c.levels.join(QLatin1Char(' ')));
}

TEST(SeedIndex, FindsTheNearestSeedInsideAndOutsideItsGrid) {
    std::vector<QPointF> seeds;
    for (int i = 0; i < 300; ++i)
        seeds.push_back(QPointF((i * 7919) % 1000 / 10.0, (i * 104729) % 997 / 10.0));
    const SeedIndex index(seeds);
    for (int k = 0; k < 2000; ++k) {
        const QPointF p(-30 + (k * 31) % 160, -30 + (k * 57) % 163);
        int best = 0;
        for (int i = 1; i < int(seeds.size()); ++i)
            if (QLineF(p, seeds[i]).length() < QLineF(p, seeds[best]).length())
                best = i;
        ASSERT_DOUBLE_EQ(QLineF(p, seeds[index.nearest(p)]).length(), QLineF(p, seeds[best]).length()) << k;
    }
    EXPECT_EQ(SeedIndex({}).nearest(QPointF(1, 1)), -1);
}

// A 12 x 8 picture: area 0 on the left, area 1 on the right, and area 2 in
// two patches (a block inside area 1 and a single pixel in area 0's corner).
TEST(AreaMapWriter, BordersCloseEveryAreaAndTheListHoldsSeedsAndColumnTops) {
    LabelRaster labels(QSize(12, 8));
    for (int y = 1; y < 7; ++y)
        for (int x = 1; x < 11; ++x)
            labels.set(x, y, x < 6 ? 0 : 1);
    for (int y = 3; y < 6; ++y)
        for (int x = 8; x < 10; ++x)
            labels.set(x, y, 2);
    labels.set(1, 1, 2); // a crumb: area 2 has a real patch elsewhere
    const QStringList names{QStringLiteral("Oeste"), QStringLiteral("Leste"), QStringLiteral("Ilha")};
    const AreaMapWriter writer(labels, [&](int l) { return names[l]; });
    const QImage &img = writer.picture();
    const QRgb black = qRgb(0, 0, 0);
    // Two horizontally or vertically touching pixels of different areas
    // never both keep their colour.
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 12; ++x)
            for (const QPoint d : {QPoint(1, 0), QPoint(0, 1)}) {
                const QPoint n = QPoint(x, y) + d;
                if (n.x() < 12 && n.y() < 8 && labels.at(x, y) != labels.at(n.x(), n.y())) {
                    EXPECT_TRUE(img.pixel(x, y) == black || img.pixel(n) == black) << x << ',' << y;
                }
            }
    EXPECT_EQ(img.pixel(1, 1), black) << "the crumb joins the border";
    // Outside the map white; inside, every area the same neutral grey.
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 12; ++x)
            if (img.pixel(x, y) != black) {
                EXPECT_EQ(img.pixel(x, y), labels.at(x, y) < 0 ? qRgb(255, 255, 255) : qRgb(238, 238, 238))
                    << x << ',' << y;
            }

    const QStringList lines = writer.areaLines();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Oeste=(")));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("Ilha=")));
    // The island's block is 2 x 3 with its right and lower edges on the
    // border: pixels (8..9, 3..5) minus the border leave (8, 3) and (8, 4),
    // one column whose top is (8, 3).
    EXPECT_EQ(lines[2], QStringLiteral("Ilha=(8/3),(8/3)"));
}

TEST(SampleStudyGenerator, MissingPackagesStopWithAClearMessageAndTouchNothing) {
    QTemporaryDir program;
    QFile old(program.filePath(QStringLiteral("Dados/Solvane.db")));
    ASSERT_TRUE(QDir(program.path()).mkpath(QStringLiteral("Dados")));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("a good study");
    old.close();
    try {
        SampleStudyGenerator(program.filePath(QStringLiteral("sem_pacotes")), program.path()).run();
        ADD_FAILURE() << "no error";
    } catch (const AppError &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("lista de municípios")));
        EXPECT_TRUE(e.message().contains(QStringLiteral("scripts/setup.sh")));
    }
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("a good study"));
    EXPECT_FALSE(QDir(program.filePath(QStringLiteral("Mapas"))).exists());
}
