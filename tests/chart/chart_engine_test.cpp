#include "core/chart/engine/chart_renderer.h"
#include "core/chart/engine/mark_placer.h"
#include "core/drawing/windows_fonts.h"

#include <QPainter>
#include <QtMath>
#include <gtest/gtest.h>
#include <algorithm>
#include <cmath>
#include <map>

namespace {

// A chart on plain white, without legend or marks, so that every coloured
// pixel belongs to the series.
ChartStyle whiteStyle() {
    ChartStyle style;
    style.backgroundStart = style.backgroundEnd = Qt::white;
    return style;
}

ChartSettings plainSettings(SeriesKind kind, const std::vector<double> &values) {
    ChartSettings settings;
    settings.kind = kind;
    for (size_t i = 0; i < values.size(); ++i)
        settings.points.push_back({QStringLiteral("Lugar %1").arg(i + 1), values[i]});
    settings.marksVisible = false;
    settings.legendVisible = false;
    settings.view3D = false;
    return settings;
}

const QSize kSize(600, 400);

QPoint onPie(const PieGeometry &pie, qreal degrees, qreal fraction) {
    const qreal a = qDegreesToRadians(degrees);
    return QPointF(pie.centre.x() + fraction * pie.radiusX * std::cos(a),
                   pie.centre.y() - fraction * pie.radiusY * std::sin(a))
        .toPoint();
}

// Whether a pixel shows colour, or the pale end of its gradient, or
// anything between.
bool inShadesOf(QRgb pixel, const QColor &color) {
    const int c[3] = {color.red(), color.green(), color.blue()};
    const int p[3] = {qRed(pixel), qGreen(pixel), qBlue(pixel)};
    // How far towards white the pixel lies, read on the channel with most room.
    const int k = int(std::max_element(c, c + 3, [](int a, int b) { return 255 - a < 255 - b; }) - c);
    const qreal t = qreal(p[k] - c[k]) / (255 - c[k]);
    if (t < -0.05 || t > 0.55)
        return false;
    int off = 0;
    for (int i = 0; i < 3; ++i)
        off += std::abs(p[i] - (c[i] + int((255 - c[i]) * t)));
    return off < 24;
}

// The box around the pixels drawn in each point's shades.
std::vector<QRect> itemBoxes(const QImage &image, int count) {
    std::vector<QRect> boxes(static_cast<size_t>(count));
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            for (int i = 0; i < count; ++i)
                if (inShadesOf(image.pixel(x, y), ChartRenderer::pointColor(i)))
                    boxes[size_t(i)] |= QRect(x, y, 1, 1);
    return boxes;
}

} // namespace

TEST(ChartEngine, DonutSlicesHaveTheirColoursAndAnglesProportionalToTheValues) {
    const std::vector<double> values{10, 20, 30, 40};
    const ChartRenderer chart(plainSettings(SeriesKind::Donut, values), whiteStyle());
    const QImage image = chart.picture(kSize);
    const PieGeometry pie = chart.pieGeometry(QRect(QPoint(), kSize));
    ASSERT_GT(pie.radiusX, 50);
    EXPECT_EQ(pie.radiusX, pie.radiusY) << "a flat donut stays round";

    // Slices run clockwise from twelve o'clock, each its share of 360 degrees.
    qreal start = 90;
    for (size_t i = 0; i < values.size(); ++i) {
        const qreal span = 360 * values[i] / 100;
        for (qreal at : {start - 4, start - span / 2, start - span + 4})
            EXPECT_EQ(image.pixel(onPie(pie, at, 0.75)), ChartRenderer::pointColor(int(i)).rgb())
                << "slice " << i << " at " << at << " degrees";
        start -= span;
    }
    EXPECT_EQ(image.pixel(pie.centre.toPoint()), QColor(Qt::white).rgb()) << "the donut's hole";
}

TEST(ChartEngine, ThreeDimensionalPieIsTiltedWithAWallUnderItsFront) {
    ChartSettings settings = plainSettings(SeriesKind::Donut, {10, 20, 30, 40});
    settings.view3D = true;
    const ChartRenderer chart(settings, whiteStyle());
    const QImage image = chart.picture(kSize);
    const PieGeometry pie = chart.pieGeometry(QRect(QPoint(), kSize));

    // Seen from 45 degrees above: the top face is an ellipse a little over
    // seven tenths as high as it is wide, and no hole.
    EXPECT_NEAR(pie.radiusY / pie.radiusX, std::sin(M_PI / 4), 0.01);
    EXPECT_EQ(pie.holeRatio, 0);
    EXPECT_GT(pie.depth, 5);
    // The first slice spans 54 to 90 degrees, the last 90 to 234.
    EXPECT_EQ(image.pixel(onPie(pie, 72, 0.95)), ChartRenderer::pointColor(0).rgb());
    EXPECT_EQ(image.pixel(onPie(pie, 180, 0.5)), ChartRenderer::pointColor(3).rgb());
    EXPECT_EQ(image.pixel(onPie(pie, 72, 1.1)), QColor(Qt::white).rgb());
    // At six o'clock (the third slice) the wall shows below the rim in a
    // darker shade of the slice.
    const QPoint wall = onPie(pie, 270, 1) + QPoint(0, int(pie.depth / 2));
    EXPECT_EQ(image.pixel(wall), ChartRenderer::pointColor(2).darker(150).rgb());
    EXPECT_EQ(image.pixel(wall + QPoint(0, int(pie.depth / 2) + 3)), QColor(Qt::white).rgb());
}

TEST(ChartEngine, ThreeDimensionalViewChangesEveryKind) {
    for (SeriesKind kind : {SeriesKind::Donut, SeriesKind::Points, SeriesKind::Volume, SeriesKind::HorizontalBars,
                            SeriesKind::VerticalBars}) {
        ChartSettings settings = plainSettings(kind, {5, 9, 3});
        const QImage flat = ChartRenderer(settings).picture(kSize);
        settings.view3D = true;
        EXPECT_NE(ChartRenderer(settings).picture(kSize), flat) << "kind " << int(kind);
    }
}

TEST(ChartEngine, ItemsStandInTableOrderWithLengthsProportionalToTheValues) {
    const std::vector<double> values{10, 40, 20, 30};
    for (SeriesKind kind : {SeriesKind::VerticalBars, SeriesKind::HorizontalBars, SeriesKind::Volume}) {
        SCOPED_TRACE(int(kind));
        const QImage image = ChartRenderer(plainSettings(kind, values), whiteStyle()).picture(kSize);
        const std::vector<QRect> boxes = itemBoxes(image, int(values.size()));
        const bool horizontal = kind == SeriesKind::HorizontalBars;
        auto length = [&](const QRect &box) { return horizontal ? box.width() : box.height(); };
        const int longest = length(boxes[1]);
        ASSERT_GT(longest, 100);
        for (size_t i = 0; i < values.size(); ++i) {
            EXPECT_NEAR(length(boxes[i]), longest * values[i] / 40, 2) << "item " << i;
            if (i == 0)
                continue;
            // All rise from the same axis, one after the other.
            if (horizontal) {
                EXPECT_EQ(boxes[i].left(), boxes[0].left());
                EXPECT_GT(boxes[i].top(), boxes[i - 1].bottom());
            } else {
                EXPECT_EQ(boxes[i].bottom(), boxes[0].bottom());
                EXPECT_GT(boxes[i].left(), boxes[i - 1].right());
            }
        }
        if (kind != SeriesKind::Volume) {
            // A bar fills 30 % of its slot across.
            const int across = horizontal ? boxes[0].height() : boxes[0].width();
            const int slot = horizontal ? boxes[1].top() - boxes[0].top() : boxes[1].left() - boxes[0].left();
            EXPECT_NEAR(across, slot * 0.3, 2);
        }
    }
}

TEST(ChartEngine, MarkTextsFollowTheMarksStyle) {
    ChartSettings settings = plainSettings(SeriesKind::VerticalBars, {1234, 766});
    settings.points[0].label = QStringLiteral("Recife");
    settings.points[1].label = QStringLiteral("Olinda");
    settings.valueFormat = QStringLiteral("###,##0");
    const struct {
        MarksStyle style;
        QStringList texts;
    } table[] = {
        {MarksStyle::Value, {"1.234", "766"}},
        {MarksStyle::Percent, {"61,7 %", "38,3 %"}},
        {MarksStyle::Label, {"Recife", "Olinda"}},
    };
    for (const auto &row : table) {
        settings.marksStyle = row.style;
        const ChartRenderer chart(settings);
        EXPECT_EQ(QStringList({chart.markText(0), chart.markText(1)}), row.texts);
    }
}

TEST(ChartEngine, CrowdedLegendShowsTheEntriesThatFitThenAnEllipsis) {
    ChartSettings settings = plainSettings(SeriesKind::VerticalBars, std::vector<double>(400, 1));
    settings.legendVisible = true;
    const ChartRenderer chart(settings);
    const ChartRenderer::Frame frame = chart.frame(QRect(QPoint(), kSize));
    EXPECT_TRUE(frame.legendCut);
    EXPECT_GT(frame.legendRows, 10);
    EXPECT_LT(frame.legend.bottom(), kSize.height());

    settings.points.resize(5);
    const ChartRenderer::Frame few = ChartRenderer(settings).frame(QRect(QPoint(), kSize));
    EXPECT_FALSE(few.legendCut);
    EXPECT_EQ(few.legendRows, 5);
}

TEST(MarkPlacer, LeavesOutMarksThatWouldCoverAnotherAndCutsLongTexts) {
    const QFont font = WindowsFonts::pixelFont(QStringLiteral("Arial"), 11);
    MarkPlacer placer(QRectF(0, 0, 400, 300), font);
    placer.reserve(QRectF(300, 0, 100, 300));

    EXPECT_TRUE(placer.place({100, 100}, {0, -1}, 8, QStringLiteral("Recife")));
    EXPECT_FALSE(placer.place({104, 100}, {0, -1}, 8, QStringLiteral("Olinda"))) << "on top of the first";
    EXPECT_FALSE(placer.place({310, 150}, {0, -1}, 8, QStringLiteral("Paulista"))) << "on the legend";
    EXPECT_FALSE(placer.place({5, 150}, {-1, 0}, 8, QStringLiteral("Igarassu"))) << "off the chart";
    EXPECT_TRUE(placer.place({100, 200}, {1, 0}, 20, QString(60, QLatin1Char('x'))));

    ASSERT_EQ(placer.marks().size(), 2u);
    const auto &first = placer.marks()[0];
    EXPECT_EQ(first.to, QPointF(100, 92));
    EXPECT_DOUBLE_EQ(first.box.bottom(), 92) << "the box sits on the end of the line";
    const auto &cut = placer.marks()[1];
    EXPECT_TRUE(cut.text.endsWith(QStringLiteral("…")));
    EXPECT_LE(cut.box.width(), MarkPlacer::kMaxTextWidth + 4);
    EXPECT_DOUBLE_EQ(cut.box.left(), 120);

    // Hundreds of marks on one small chart: those kept never overlap.
    MarkPlacer crowded(QRectF(0, 0, 300, 200), font);
    for (int i = 0; i < 500; ++i)
        crowded.place({double(i % 300), double(40 + i % 150)}, {0, -1}, 8, QStringLiteral("Município %1").arg(i));
    const auto &marks = crowded.marks();
    EXPECT_GT(marks.size(), 3u);
    for (size_t a = 0; a < marks.size(); ++a)
        for (size_t b = a + 1; b < marks.size(); ++b)
            EXPECT_FALSE(marks[a].box.intersects(marks[b].box)) << a << " and " << b;
}

// A box closer than the gap to a reserved area touches it: their outlines
// would be drawn over each other. Between marks the placer keeps the spacing
// it was given; with none, boxes may share an edge.
TEST(MarkPlacer, KeepsItsRoomFromReservedAreasAndOtherMarks) {
    const QFont font = WindowsFonts::pixelFont(QStringLiteral("Arial"), 11);
    const QString text = QStringLiteral("Recife");
    const qreal width = MarkPlacer(QRectF(), font).box({0, 0}, {1, 0}, 8, text).width();
    // The box runs right from its line's end to room short of x = 300, where
    // the reserved area or the box of another mark begins.
    const auto placedWithRoom = [&](qreal room, qreal spacing, bool besideMark) {
        MarkPlacer placer(QRectF(0, 0, 400, 300), font, spacing);
        if (besideMark)
            EXPECT_TRUE(placer.place({292, 150}, {1, 0}, 8, QStringLiteral("Olinda")));
        else
            placer.reserve(QRectF(300, 0, 100, 300));
        return placer.place({300 - room - width - 8, 150}, {1, 0}, 8, text);
    };
    const struct {
        qreal room;
        bool byArea;
        bool byMarkApart;
        bool byMarkTouching;
    } table[] = {
        {0, false, false, true},
        {1, false, false, true},
        {MarkPlacer::kGap, true, true, true},
        {10, true, true, true},
        {-1, false, false, false},
    };
    for (const auto &row : table) {
        EXPECT_EQ(placedWithRoom(row.room, 0, false), row.byArea) << "area, room " << row.room;
        EXPECT_EQ(placedWithRoom(row.room, MarkPlacer::kGap, true), row.byMarkApart) << "mark, room " << row.room;
        EXPECT_EQ(placedWithRoom(row.room, 0, true), row.byMarkTouching) << "mark, no spacing, room " << row.room;
    }
}

// Marks in a column stand at its edge, in the order they come, each as near
// its anchor's height as room allows but never above the one before, past
// reserved areas and within reach of their anchor, and never with a line
// under another box.
TEST(MarkPlacer, StacksColumnMarksInOrderNearTheirAnchors) {
    const QFont font = WindowsFonts::pixelFont(QStringLiteral("Arial"), 11);
    MarkPlacer placer(QRectF(0, 0, 300, 200), font, MarkPlacer::kGap);
    placer.reserve(QRectF(100, 60, 100, 40));
    MarkPlacer::Column right{100, true};
    MarkPlacer::Column left{60, false};

    ASSERT_TRUE(placer.placeInColumn(right, {50, 30}, QStringLiteral("Recife")));
    ASSERT_TRUE(placer.placeInColumn(right, {52, 28}, QStringLiteral("Olinda")));
    ASSERT_TRUE(placer.placeInColumn(right, {54, 70}, QStringLiteral("Paulista")));
    ASSERT_TRUE(placer.placeInColumn(left, {70, 160}, QStringLiteral("Igarassu")));
    const auto &marks = placer.marks();
    ASSERT_EQ(marks.size(), 4u);
    EXPECT_DOUBLE_EQ(marks[0].box.center().y(), 30) << "at its anchor's height";
    EXPECT_DOUBLE_EQ(marks[1].box.top(), marks[0].box.bottom() + MarkPlacer::kGap) << "below the one before";
    EXPECT_DOUBLE_EQ(marks[2].box.top(), 100 + MarkPlacer::kGap) << "past the reserved area";
    EXPECT_DOUBLE_EQ(marks[3].box.center().y(), 160) << "another column";
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_DOUBLE_EQ(marks[i].box.left(), 100);
        EXPECT_EQ(marks[i].to, QPointF(100, marks[i].box.center().y())) << "the line meets the box's near side";
    }
    EXPECT_EQ(marks[2].from, QPointF(54, 70));
    EXPECT_DOUBLE_EQ(marks[3].box.right(), 60);
    EXPECT_EQ(marks[3].to, QPointF(60, 160));

    // Beside the reserved area the nearest room lies under Paulista, out of
    // a reach of 10 pixels; without that limit the mark goes there.
    MarkPlacer::Column nearby{100, true, 10};
    EXPECT_FALSE(placer.placeInColumn(nearby, {54, 80}, QStringLiteral("Goiana")));
    EXPECT_FALSE(nearby.full) << "room remains further down";
    MarkPlacer::Column anywhere{100, true};
    ASSERT_TRUE(placer.placeInColumn(anywhere, {54, 80}, QStringLiteral("Goiana")));
    EXPECT_DOUBLE_EQ(placer.marks().back().box.top(), marks[2].box.bottom() + MarkPlacer::kGap);

    // The line from (60, 30) to x = 220 would run under Recife's box.
    MarkPlacer::Column far{220, true};
    EXPECT_FALSE(placer.placeInColumn(far, {60, 30}, QStringLiteral("Ipojuca")));
    EXPECT_TRUE(placer.placeInColumn(far, {60, 185}, QStringLiteral("Ipojuca")));

    // Filled to the bottom, the column is full for every later mark.
    const qreal h = marks[0].box.height();
    MarkPlacer tall(QRectF(0, 0, 100, 4 * h), font, MarkPlacer::kGap);
    MarkPlacer::Column filling{10, true};
    int placed = 0;
    while (tall.placeInColumn(filling, {0, 0}, QStringLiteral("Lugar")))
        ++placed;
    EXPECT_EQ(placed, 3);
    EXPECT_TRUE(filling.full);
    EXPECT_FALSE(tall.mayFitInColumn(filling, {0, 4 * h}));
}

TEST(ChartEngine, DrawsDegenerateInputWithoutFault) {
    const double nan = std::nan("");
    const std::vector<std::vector<double>> inputs{{}, {0, 0, 0}, {-5, 10}, {nan, 3}, {1e300, 1}};
    for (SeriesKind kind : {SeriesKind::Donut, SeriesKind::Points, SeriesKind::Volume, SeriesKind::HorizontalBars,
                            SeriesKind::VerticalBars})
        for (const auto &values : inputs) {
            ChartSettings settings = plainSettings(kind, values);
            settings.marksVisible = settings.legendVisible = settings.view3D = true;
            settings.titleLines = QStringList{QStringLiteral("Título")};
            EXPECT_EQ(ChartRenderer(settings).picture(QSize(200, 120)).size(), QSize(200, 120));
            EXPECT_EQ(ChartRenderer(settings).picture(QSize(10, 10)).size(), QSize(10, 10));
        }
}
