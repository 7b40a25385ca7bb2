#include "core/chart/engine/chart_renderer.h"

#include "base/data/format_float.h"
#include "core/chart/engine/cartesian_plot.h"
#include "core/drawing/blank_picture.h"
#include "core/drawing/windows_fonts.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <array>
#include <cmath>

namespace {

// Distinct colours that read well on the chart's orange ground and on white.
constexpr std::array<QRgb, 16> kPalette = {
    0xFF0000, 0x00A000, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x008080, 0x000080, 0x800000,
    0x00FF00, 0x808000, 0x800080, 0xC0C0C0, 0x00FFFF, 0x808080, 0xFF8000, 0x8080FF,
};

constexpr int kLegendPadding = 4;
constexpr int kLegendGap = 4;
// Room between the legend and the chart's right edge, and between the plot
// and what lies around it.
constexpr int kLegendMargin = 6;
constexpr int kPlotMargin = 8;
const QString kEllipsis = QStringLiteral("…");

} // namespace

ChartRenderer::ChartRenderer(ChartSettings settings, ChartStyle style)
    : m_settings(std::move(settings)), m_style(style),
      m_titleFont(WindowsFonts::pixelFont(QStringLiteral("Arial"), 13)),
      m_legendFont(WindowsFonts::pixelFont(QStringLiteral("MS Serif"), m_style.legendFontPixels)),
      m_markFont(WindowsFonts::pixelFont(QStringLiteral("Arial"), 11)) {
    m_titleFont.setBold(true);
    for (const ChartPoint &point : m_settings.points)
        if (std::isfinite(point.value))
            m_absoluteTotal += std::abs(point.value);
}

QColor ChartRenderer::pointColor(int index) {
    return QColor::fromRgb(kPalette[size_t(index) % kPalette.size()]);
}

QString ChartRenderer::valueText(double value) const {
    return std::isfinite(value) ? FormatFloat(m_settings.valueFormat, value) : QString();
}

QString ChartRenderer::markText(int index) const {
    const ChartPoint &point = m_settings.points.at(size_t(index));
    switch (m_settings.marksStyle) {
    case MarksStyle::Value:
        return valueText(point.value);
    case MarksStyle::Percent: {
        const double share =
            m_absoluteTotal > 0 && std::isfinite(point.value) ? 100 * std::abs(point.value) / m_absoluteTotal : 0;
        return FormatFloat(QStringLiteral("##0.##"), share) + QStringLiteral(" %");
    }
    case MarksStyle::Label:
        break;
    }
    return point.label;
}

QString ChartRenderer::legendText(int index) const {
    const ChartPoint &point = m_settings.points.at(size_t(index));
    return m_settings.legendTextStyle == LegendTextStyle::Value ? valueText(point.value) : point.label;
}

ChartRenderer::Frame ChartRenderer::frame(const QRect &area) const {
    Frame f;
    const QRect inner = area.adjusted(m_style.marginSides, m_style.marginTop, -m_style.marginSides, -m_style.marginBottom);
    const QFontMetrics titleMetrics(m_titleFont);
    f.title = QRect(inner.left(), inner.top(), inner.width(),
                    m_settings.titleLines.isEmpty() ? 0 : int(m_settings.titleLines.size()) * titleMetrics.lineSpacing() + 4);
    int plotRight = inner.right() - kPlotMargin;

    const int count = int(m_settings.points.size());
    if (m_settings.legendVisible && count > 0) {
        const QFontMetrics metrics(m_legendFont);
        const int rowHeight = std::max(1, metrics.height() + m_style.legendRowSpacing);
        const int top = std::max(inner.top() + inner.height() * m_style.legendTopPercent / 100, f.title.bottom() + 4);
        const int room = inner.bottom() - m_style.legendShadow - kLegendMargin - top - 2 * kLegendPadding;
        const int fit = room / rowHeight;
        if (fit >= 1) {
            f.legendRows = std::min(count, fit);
            f.legendCut = count > fit;
            // Only the entries shown count towards the width.
            const int shown = f.legendCut ? f.legendRows - 1 : f.legendRows;
            int labels = metrics.horizontalAdvance(kEllipsis), values = 0;
            for (int i = 0; i < shown; ++i) {
                if (m_settings.legendTextStyle == LegendTextStyle::RightValue)
                    values = std::max(values, metrics.horizontalAdvance(valueText(m_settings.points[size_t(i)].value)));
                labels = std::max(labels, metrics.horizontalAdvance(legendText(i)));
            }
            // Two pixels spare: advances are rounded, and a text one pixel short of
            // its room would be cut.
            const int textWidth = (values > 0 ? labels + 2 * kLegendGap + values : labels) + 2;
            const int width = std::min(2 * kLegendPadding + m_style.legendSymbolWidth + kLegendGap + textWidth,
                                       inner.width() * 2 / 5);
            f.legend = QRect(inner.right() - kLegendMargin - m_style.legendShadow - width + 1, top, width,
                             f.legendRows * rowHeight + 2 * kLegendPadding);
            plotRight = f.legend.left() - kPlotMargin;
        }
    }
    const int plotTop = f.title.isEmpty() ? inner.top() + kPlotMargin : f.title.bottom() + kPlotMargin;
    f.plot = QRect(QPoint(inner.left() + kPlotMargin, plotTop), QPoint(plotRight, inner.bottom() - kPlotMargin));
    return f;
}

QSizeF ChartRenderer::pieMarkRoom() const {
    if (!m_settings.marksVisible)
        return {2, 2};
    const QFontMetrics metrics(m_markFont);
    return QSizeF(m_settings.arrowLength + 50, m_settings.arrowLength + metrics.height() + 6);
}

PieGeometry ChartRenderer::pieGeometry(const QRect &area) const {
    return PiePlot(m_settings, m_style, &ChartRenderer::pointColor).geometry(frame(area).plot, pieMarkRoom());
}

std::vector<MarkPlacer::Mark> ChartRenderer::draw(QPainter &painter, const QRect &area) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QLinearGradient ground(area.topRight(), area.topLeft());
    ground.setColorAt(0, m_style.backgroundStart);
    ground.setColorAt(1, m_style.backgroundEnd);
    painter.fillRect(area, ground);

    const Frame f = frame(area);
    drawTitle(painter, f.title);
    if (f.legendRows > 0)
        drawLegend(painter, f);

    // A pie's marks have no slots to line up in: boxes that touched would
    // read as one.
    MarkPlacer marks(area.adjusted(m_style.marginSides, m_style.marginTop, -m_style.marginSides, -m_style.marginBottom),
                     m_markFont, m_settings.kind == SeriesKind::Donut ? MarkPlacer::kGap : 0);
    marks.reserve(f.title);
    marks.reserve(f.legend.adjusted(0, 0, m_style.legendShadow, m_style.legendShadow));
    MarkPlacer *placer = m_settings.marksVisible ? &marks : nullptr;
    const auto text = [this](int index) { return markText(index); };
    if (m_settings.kind == SeriesKind::Donut) {
        const PiePlot pie(m_settings, m_style, &ChartRenderer::pointColor);
        pie.draw(painter, pie.geometry(f.plot, pieMarkRoom()), placer, text);
    } else {
        CartesianPlot(m_settings, m_style, m_markFont, &ChartRenderer::pointColor).draw(painter, f.plot, placer, text);
    }
    marks.paint(painter);
    painter.restore();
    return marks.marks();
}

void ChartRenderer::drawTitle(QPainter &painter, const QRect &area) const {
    if (area.isEmpty())
        return;
    painter.setFont(m_titleFont);
    painter.setPen(m_style.titleColor);
    const QFontMetrics metrics(m_titleFont);
    int y = area.top() + 2;
    for (const QString &line : m_settings.titleLines) {
        painter.drawText(QRect(area.left(), y, area.width(), metrics.height()), Qt::AlignHCenter | Qt::AlignTop,
                         metrics.elidedText(line, Qt::ElideRight, area.width()));
        y += metrics.lineSpacing();
    }
}

void ChartRenderer::drawLegend(QPainter &painter, const Frame &f) const {
    const QRect box = f.legend;
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 128));
    painter.drawRect(box.translated(m_style.legendShadow, m_style.legendShadow));
    QLinearGradient ground(box.topLeft(), box.bottomLeft());
    ground.setColorAt(0, m_style.legendStart);
    ground.setColorAt(1, m_style.legendEnd);
    painter.fillRect(box, ground);
    // A raised bevel: light on the top and left edges, dark on the others.
    painter.setPen(Qt::white);
    painter.drawLine(box.topLeft(), box.topRight());
    painter.drawLine(box.topLeft(), box.bottomLeft());
    painter.setPen(QColor(128, 128, 128));
    painter.drawLine(box.bottomLeft(), box.bottomRight());
    painter.drawLine(box.topRight(), box.bottomRight());

    painter.setFont(m_legendFont);
    const QFontMetrics metrics(m_legendFont);
    const int rowHeight = std::max(1, metrics.height() + m_style.legendRowSpacing);
    const int textLeft = box.left() + kLegendPadding + m_style.legendSymbolWidth + kLegendGap;
    const int textWidth = box.x() + box.width() - kLegendPadding - textLeft;
    const bool rightValue = m_settings.legendTextStyle == LegendTextStyle::RightValue;
    for (int row = 0; row < f.legendRows; ++row) {
        const QRect line(textLeft, box.top() + kLegendPadding + row * rowHeight, textWidth, rowHeight);
        painter.setPen(Qt::black);
        if (f.legendCut && row == f.legendRows - 1) {
            painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, kEllipsis);
            break;
        }
        const QRect symbol(box.left() + kLegendPadding, line.top() + 2, m_style.legendSymbolWidth, rowHeight - 3);
        painter.setBrush(pointColor(row));
        painter.drawRect(symbol);
        QString value;
        int labelWidth = textWidth;
        if (rightValue) {
            value = valueText(m_settings.points[size_t(row)].value);
            labelWidth = std::max(0, textWidth - metrics.horizontalAdvance(value) - 2 * kLegendGap);
            painter.drawText(line, Qt::AlignRight | Qt::AlignVCenter, value);
        }
        painter.drawText(QRect(line.left(), line.top(), labelWidth, line.height()), Qt::AlignLeft | Qt::AlignVCenter,
                         metrics.elidedText(legendText(row), Qt::ElideRight, labelWidth));
    }
    painter.restore();
}

QImage ChartRenderer::picture(const QSize &size) const {
    QImage image = BlankPicture::make(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    draw(painter, QRect(QPoint(), size));
    return image;
}
