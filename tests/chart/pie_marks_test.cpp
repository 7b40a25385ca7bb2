#include "core/chart/engine/chart_renderer.h"
#include "core/chart/engine/mark_placer.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>
#include <algorithm>
#include <cmath>

namespace {

// The municipalities of Pernambuco in the first housing table, with their
// total deficit: a few large slices and runs of thin ones on both sides.
ChartSettings pernambuco(MarksStyle marks, LegendTextStyle legend) {
    ChartSettings settings;
    settings.kind = SeriesKind::Donut;
    settings.titleLines = QStringList{QStringLiteral("Déficit habitacional básico, por componente"),
                                      QStringLiteral("Déficit habitacional básico - Total")};
    settings.valueFormat = QStringLiteral("###,##0");
    settings.marksStyle = marks;
    settings.legendTextStyle = legend;
    const std::pair<const char *, double> table[] = {
        {"Aliança", 1145},        {"Angelim", 1084},         {"Araripina", 2208},
        {"Belém de Maria", 1342}, {"Belo Jardim", 2140},     {"Bodocó", 2661},
        {"Cedro", 331},           {"Condado", 974},          {"Cortês", 3520},
        {"Floresta", 1780},       {"Frei Miguelinho", 288},  {"Iati", 1943},
        {"Itapetim", 1323},       {"Itaquitinga", 901},      {"Jaboatão dos Guararapes", 29272},
        {"Lagoa do Ouro", 1479},  {"Lagoa dos Gatos", 2953}, {"Macaparana", 1899},
        {"Machados", 270},        {"Olinda", 1491},          {"Panelas", 726},
        {"Paudalho", 1117},       {"Pedra", 1207},           {"Recife", 58248},
        {"Sairé", 1401},          {"Salgueiro", 1068},       {"Saloá", 720},
        {"Santa Filomena", 1043}, {"Taquaritinga do Norte", 2754},
        {"Timbaúba", 875},        {"Tracunhaém", 1479},      {"Trindade", 1206},
        {"Triunfo", 1597},        {"DEMAIS MUNICÍPIOS", 39474},
    };
    for (const auto &[label, value] : table)
        settings.points.push_back({QString::fromUtf8(label), value});
    return settings;
}

std::vector<MarkPlacer::Mark> drawnMarks(const ChartRenderer &chart, const QSize &size) {
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    return chart.draw(painter, QRect(QPoint(), size));
}

// Whether the box, widened by a pixel, overlaps the area: boxes that share an
// edge touch, their outlines drawn over each other.
bool touches(const QRectF &box, const QRectF &area) { return box.adjusted(-1, -1, 1, 1).intersects(area); }

// Whether the point lies on the rim of the pie's top face, or on the lower
// rim of its wall.
bool onRim(const PieGeometry &pie, const QPointF &point) {
    for (qreal drop : {qreal(0), pie.depth}) {
        const qreal x = (point.x() - pie.centre.x()) / pie.radiusX;
        const qreal y = (point.y() - pie.centre.y() - drop) / pie.radiusY;
        if (std::abs(std::hypot(x, y) - 1) < 0.01)
            return true;
    }
    return false;
}

// Whether a point of the line, away from its ends, lies inside the box.
bool runsUnder(const QLineF &line, const QRectF &box) {
    const QRectF inside = box.adjusted(1, 1, -1, -1);
    for (int step = 1; step < 100; ++step)
        if (inside.contains(line.pointAt(step / 100.0)))
            return true;
    return false;
}

} // namespace

// Every mark kept lies inside the picture, keeps off the title, the legend
// (with its shadow) and every other mark, and is joined by its line to a
// point of the pie's rim; no line runs under another mark. The sizes include
// one where the legend comes close to the pie's right-hand marks.
TEST(PieMarks, KeepOffTheTitleTheLegendAndEachOther) {
    const QSize sizes[] = {{900, 600}, {660, 600}, {600, 400}, {1200, 800}, {400, 300}};
    const struct {
        MarksStyle marks;
        LegendTextStyle legend;
    } styles[] = {{MarksStyle::Value, LegendTextStyle::Plain}, {MarksStyle::Label, LegendTextStyle::Value}};
    for (const auto &style : styles)
        for (const QSize &size : sizes) {
            SCOPED_TRACE(QStringLiteral("%1x%2, marks style %3")
                             .arg(size.width())
                             .arg(size.height())
                             .arg(int(style.marks))
                             .toStdString());
            const ChartRenderer chart(pernambuco(style.marks, style.legend));
            const QRect area(QPoint(), size);
            const ChartRenderer::Frame frame = chart.frame(area);
            const QRectF legend =
                QRectF(frame.legend).adjusted(0, 0, ChartStyle().legendShadow, ChartStyle().legendShadow);
            const PieGeometry pie = chart.pieGeometry(area);
            const auto marks = drawnMarks(chart, size);
            ASSERT_FALSE(marks.empty());
            for (size_t a = 0; a < marks.size(); ++a) {
                const MarkPlacer::Mark &mark = marks[a];
                SCOPED_TRACE(mark.text.toStdString());
                EXPECT_TRUE(QRectF(area).contains(mark.box));
                EXPECT_FALSE(touches(mark.box, legend));
                EXPECT_FALSE(touches(mark.box, frame.title));
                EXPECT_TRUE(onRim(pie, mark.from)) << mark.from.x() << ", " << mark.from.y();
                for (size_t b = 0; b < marks.size(); ++b) {
                    if (b == a)
                        continue;
                    EXPECT_FALSE(touches(mark.box, marks[b].box)) << "and " << marks[b].text.toStdString();
                    EXPECT_FALSE(runsUnder(QLineF(mark.from, mark.to), marks[b].box))
                        << "the line runs under " << marks[b].text.toStdString();
                }
            }
        }
}

// Thin slices whose marks have no room beyond the rim get theirs in a column
// on their side of the pie, stacked top to bottom in the order the slices
// meet the rim; large slices keep theirs at the rim.
TEST(PieMarks, ThinSlicesGetTheirMarksInAColumnBesideThePie) {
    const QSize size(900, 600);
    const ChartRenderer chart(pernambuco(MarksStyle::Value, LegendTextStyle::Plain));
    const auto marks = drawnMarks(chart, size);
    EXPECT_GE(marks.size(), 30u) << "of 34 slices";

    const PieGeometry pie = chart.pieGeometry(QRect(QPoint(), size));
    const int arrow = chart.settings().arrowLength;
    std::vector<const MarkPlacer::Mark *> left, right;
    for (const MarkPlacer::Mark &mark : marks) {
        if (QLineF(mark.from, mark.to).length() <= arrow + 0.01)
            continue;
        // A column's line ends on the box's side towards the pie, beyond the rim.
        const bool onRight = mark.from.x() > pie.centre.x();
        (onRight ? right : left).push_back(&mark);
        EXPECT_DOUBLE_EQ(mark.to.x(), onRight ? mark.box.left() : mark.box.right()) << mark.text.toStdString();
        EXPECT_DOUBLE_EQ(mark.to.y(), mark.box.center().y());
        EXPECT_NEAR(std::abs(mark.to.x() - pie.centre.x()), pie.radiusX + arrow, 0.01);
    }
    EXPECT_GE(left.size(), 5u);
    EXPECT_GE(right.size(), 10u);
    for (const auto *column : {&left, &right})
        for (size_t i = 1; i < column->size(); ++i) {
            const MarkPlacer::Mark &above = *(*column)[i - 1], &below = *(*column)[i];
            EXPECT_LE(above.from.y(), below.from.y()) << above.text.toStdString() << ", " << below.text.toStdString();
            EXPECT_LT(above.box.bottom(), below.box.top());
        }

    const auto markOf = [&](const QString &text) {
        const auto found = std::find_if(marks.begin(), marks.end(), [&](const auto &m) { return m.text == text; });
        return found == marks.end() ? nullptr : &*found;
    };
    for (const char *large : {"58.248", "39.474", "29.272"}) {
        const MarkPlacer::Mark *mark = markOf(QString::fromUtf8(large));
        ASSERT_TRUE(mark) << large;
        EXPECT_NEAR(QLineF(mark->from, mark->to).length(), arrow, 0.01) << large << " stays at the rim";
    }
}

// A pie with room for every mark at its rim keeps them there.
TEST(PieMarks, RoomyPieKeepsEveryMarkAtTheRim) {
    ChartSettings settings;
    settings.kind = SeriesKind::Donut;
    settings.valueFormat = QStringLiteral("###,##0");
    for (double value : {10, 20, 30, 40})
        settings.points.push_back({QStringLiteral("Lugar"), value});
    for (bool view3D : {true, false}) {
        settings.view3D = view3D;
        const ChartRenderer chart(settings);
        const auto marks = drawnMarks(chart, QSize(600, 400));
        ASSERT_EQ(marks.size(), 4u);
        for (const MarkPlacer::Mark &mark : marks)
            EXPECT_NEAR(QLineF(mark.from, mark.to).length(), settings.arrowLength, 0.01) << mark.text.toStdString();
    }
}
