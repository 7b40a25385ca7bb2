#include "base/data/app_error.h"
#include "core/chart/engine/chart_file.h"
#include "core/chart/engine/chart_renderer.h"

#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

namespace {

const QSize kSize(640, 420);

ChartSettings recifeSettings() {
    ChartSettings settings;
    settings.kind = SeriesKind::VerticalBars;
    settings.titleLines = QStringList{QStringLiteral("Déficit habitacional"), QStringLiteral("Total")};
    settings.valueFormat = QStringLiteral("###,##0");
    settings.leftAxisLabels = false;
    for (const auto &[label, value] : std::initializer_list<std::pair<const char *, double>>{
             {"Recife", 1234}, {"Olinda", 766}, {"Paulista", 455}, {"Jaboatão", 980}, {"Igarassu", 120}})
        settings.points.push_back({QString::fromUtf8(label), value});
    return settings;
}

// The texts of an SVG's text elements, in document order.
QStringList svgTexts(const QByteArray &svg) {
    QStringList texts;
    QXmlStreamReader xml(svg);
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("text"))
            texts << xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return texts;
}

} // namespace

TEST(ChartFile, SvgKeepsEveryLabelAndTitleLineAsText) {
    ChartSettings settings = recifeSettings();
    settings.marksStyle = MarksStyle::Label;
    const QStringList texts = svgTexts(ChartFile::compose(ChartRenderer(settings), kSize, ChartFile::Format::Svg));
    for (const QString &expected : {QStringLiteral("Déficit habitacional"), QStringLiteral("Total")})
        EXPECT_TRUE(texts.contains(expected)) << expected.toStdString();
    // Each label twice: in its mark and in the legend.
    for (const ChartPoint &point : settings.points)
        EXPECT_EQ(texts.count(point.label), 2) << point.label.toStdString();
}

TEST(ChartFile, LegendEntriesFollowTheLegendTextStyle) {
    ChartSettings settings = recifeSettings();
    settings.marksVisible = false;
    const struct {
        LegendTextStyle style;
        bool labels;
        bool values;
    } table[] = {
        {LegendTextStyle::Plain, true, false},
        {LegendTextStyle::Value, false, true},
        {LegendTextStyle::RightValue, true, true},
    };
    for (const auto &row : table) {
        settings.legendTextStyle = row.style;
        const QStringList texts = svgTexts(ChartFile::compose(ChartRenderer(settings), kSize, ChartFile::Format::Svg));
        for (const auto &[label, value] : {std::pair{"Recife", "1.234"}, std::pair{"Igarassu", "120"}}) {
            EXPECT_EQ(texts.contains(QString::fromUtf8(label)), row.labels) << int(row.style) << " " << label;
            EXPECT_EQ(texts.contains(QString::fromUtf8(value)), row.values) << int(row.style) << " " << value;
        }
    }
}

TEST(ChartFile, CrowdedSvgShowsSomeLegendEntriesThenAnEllipsis) {
    ChartSettings settings = recifeSettings();
    settings.marksVisible = false;
    settings.points.clear();
    for (int i = 0; i < 300; ++i)
        settings.points.push_back({QStringLiteral("Município %1").arg(i), double(i)});
    const QStringList texts = svgTexts(ChartFile::compose(ChartRenderer(settings), kSize, ChartFile::Format::Svg));
    EXPECT_TRUE(texts.contains(QStringLiteral("Município 0")));
    EXPECT_FALSE(texts.contains(QStringLiteral("Município 299")));
    EXPECT_EQ(texts.last(), QStringLiteral("…"));
}

TEST(ChartFile, PicturesAreTheChartsSizeOverWhite) {
    ChartStyle clear;
    clear.backgroundStart = clear.backgroundEnd = Qt::transparent;
    const QImage bitmap = QImage::fromData(
        ChartFile::compose(ChartRenderer(recifeSettings(), clear), kSize, ChartFile::Format::Bmp), "BMP");
    ASSERT_EQ(bitmap.size(), kSize);
    EXPECT_EQ(bitmap.pixel(0, 0), QColor(Qt::white).rgb());
    EXPECT_EQ(bitmap.pixel(kSize.width() - 1, kSize.height() - 1), QColor(Qt::white).rgb());

    // The chart's own ground runs from orange on the right to brown on the left.
    const QImage shown =
        QImage::fromData(ChartFile::compose(ChartRenderer(recifeSettings()), kSize, ChartFile::Format::Png), "PNG");
    ASSERT_EQ(shown.size(), kSize);
    EXPECT_EQ(QColor(shown.pixel(kSize.width() - 1, 0)), QColor(255, 205, 159));
    EXPECT_EQ(QColor(shown.pixel(0, 0)), QColor(179, 89, 0));

    const QImage jpeg =
        QImage::fromData(ChartFile::compose(ChartRenderer(recifeSettings()), kSize, ChartFile::Format::Jpeg), "JPEG");
    EXPECT_EQ(jpeg.size(), kSize);
}

TEST(ChartFile, PdfIsOnePageOfTheChartsSize) {
    const QByteArray pdf = ChartFile::compose(ChartRenderer(recifeSettings()), kSize, ChartFile::Format::Pdf);
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    const QRegularExpressionMatch box =
        QRegularExpression(QStringLiteral("/MediaBox \\[0 0 ([\\d.]+) ([\\d.]+) ?\\]")).match(QString::fromLatin1(pdf));
    ASSERT_TRUE(box.hasMatch());
    EXPECT_DOUBLE_EQ(box.captured(1).toDouble(), 640);
    EXPECT_DOUBLE_EQ(box.captured(2).toDouble(), 420);
    EXPECT_EQ(QString::fromLatin1(pdf).count(QRegularExpression(QStringLiteral("/Type /Page\\s"))), 1);
}

TEST(ChartFile, FormatFollowsTheExtension) {
    using F = ChartFile::Format;
    const std::pair<const char *, std::optional<F>> table[] = {
        {"a.bmp", F::Bmp}, {"b.BMP", F::Bmp}, {"pasta.x/c.png", F::Png}, {"d.Svg", F::Svg},
        {"e.pdf", F::Pdf}, {"g.JPG", F::Jpeg}, {"h.jpeg", F::Jpeg}, {"f.txt", std::nullopt},
        {"semextensao", std::nullopt},
    };
    for (const auto &[path, format] : table)
        EXPECT_EQ(ChartFile::formatOf(QString::fromUtf8(path)), format) << path;
}

TEST(ChartFile, SaveWritesTheFileAndRefusesUnknownExtensions) {
    QTemporaryDir dir;
    const ChartRenderer chart(recifeSettings());
    const QString svg = dir.filePath(QStringLiteral("grafico.svg"));
    ChartFile::save(svg, chart, kSize);
    QFile file(svg);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("<svg"));

    const QString other = dir.filePath(QStringLiteral("grafico.doc"));
    EXPECT_THROW(ChartFile::save(other, chart, kSize), AppError);
    EXPECT_FALSE(QFile::exists(other));
}
