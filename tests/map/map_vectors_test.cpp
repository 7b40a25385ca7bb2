#include "core/map/map_file.h"
#include "sample_result.h"
#include "support/pdf_text.h"

#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

// The vector map of the sample study's maps, read back as a reader of the
// file reads it.
namespace {

struct SvgFile {
    QString title;
    QStringList layers;
    QStringList areaTitles;
    QStringList texts;
};

SvgFile readSvg(const QByteArray &svg) {
    SvgFile file;
    QXmlStreamReader xml(svg);
    QString layer;
    bool inPath = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement() && xml.name() == u"path")
            inPath = false;
        if (!xml.isStartElement())
            continue;
        const QString name = xml.name().toString();
        if (name == u"g") {
            layer = xml.attributes().value(QStringLiteral("id")).toString();
            file.layers << layer;
        } else if (name == u"path") {
            EXPECT_EQ(layer, QStringLiteral("areas"));
            file.areaTitles << QString();
            inPath = true;
        } else if (name == u"title") {
            (inPath ? file.areaTitles.last() : file.title) = xml.readElementText();
        } else if (name == u"text") {
            file.texts << xml.readElementText();
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return file;
}

// The SVG drawn at scale 1 on white, as a program showing it draws it.
QImage rasterised(const QByteArray &svg, QSize size) {
    QSvgRenderer renderer(svg);
    EXPECT_TRUE(renderer.isValid());
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(), QSizeF(size)));
    return image;
}

struct Level {
    const char *what;
    SelectionState selection;
};

const Level kLevels[] = {
    {"regiões", selection(0)},
    {"unidades da federação", selection(1)},
    {"microrregiões de Pernambuco", selection(2, 26)},
    {"microrregiões de Minas Gerais", selection(2, 31)},
    {"municípios do Acre", selection(4, 12)},
    {"municípios de Pernambuco", selection(4, 26)},
    {"municípios de São Paulo", selection(4, 35)},
    {"municípios de Minas Gerais", selection(4, 31)},
};

class MapVectorsTest : public ::testing::Test, public SampleResult {
  protected:
    MapResult draw(const SelectionState &s, const QString &field = QStringLiteral("A01")) {
        const CurrentResult &result = run(s, field);
        MapLegend legend;
        return MapDrawing::MostraMapa(db, result, result.mark(), legend, true);
    }
};

QStringList namesOf(const AreaList &areas) {
    QStringList names;
    for (const QString &line : areas.lines())
        if (!line.trimmed().isEmpty())
            names << AreaList::nameOf(line);
    return names;
}

} // namespace

// One path for each area, in the area list's order, titled with its name
// and figure; drawn at scale 1 every area shows the bitmap's colour at its
// seed.
TEST_F(MapVectorsTest, EveryAreaIsAPathWithTheBitmapsColourAtItsSeed) {
    for (const Level &level : kLevels) {
        SCOPED_TRACE(level.what);
        const MapResult map = draw(level.selection);
        const QByteArray svg = MapFile::encode(map, MapFile::Format::Svg);
        const SvgFile file = readSvg(svg);
        EXPECT_EQ(file.layers, QStringList({"fundo", "areas", "textos", "legenda"}));
        EXPECT_EQ(file.title, map.texts.titleLines.join(QLatin1Char(' ')));

        const QStringList names = namesOf(map.areas);
        ASSERT_EQ(file.areaTitles.size(), names.size());
        // Areas the table has a row for carry its figure; the others (the
        // small municipalities the study groups) say they have none.
        const AreaList colors(map.colorLines);
        for (int i = 0; i < names.size(); ++i) {
            const int figure = colors.indexOfName(names[i]);
            EXPECT_EQ(file.areaTitles[i], figure < 0 ? names[i] + QStringLiteral(" (sem dado)")
                                                     : names[i] + QStringLiteral(": ") + map.figures[figure].text);
        }

        const QImage drawn = rasterised(svg, map.picture.size());
        QStringList wrong;
        for (const QString &line : map.areas.lines()) {
            if (line.trimmed().isEmpty())
                continue;
            const QPoint seed = AreaList::seedOf(line) + QPoint(0, MapPicture::kTitleBand);
            if (drawn.pixel(seed) != map.picture.pixel(seed))
                wrong << QStringLiteral("%1 em (%2, %3): %4 em vez de %5")
                             .arg(AreaList::nameOf(line))
                             .arg(seed.x())
                             .arg(seed.y())
                             .arg(QColor(drawn.pixel(seed)).name(), QColor(map.picture.pixel(seed)).name());
        }
        EXPECT_TRUE(wrong.isEmpty()) << wrong.size()
                                     << " áreas: " << wrong.mid(0, 5).join(QLatin1Char('\n')).toStdString();
    }
}

TEST_F(MapVectorsTest, TheLargestMunicipalityMapStaysUnderTwoMegabytes) {
    qsizetype largest = 0;
    QString which;
    for (const int state : {31, 35, 29, 43}) {
        const qsizetype size = MapFile::encode(draw(selection(4, state)), MapFile::Format::Svg).size();
        if (size > largest)
            largest = size, which = QString::number(state);
    }
    RecordProperty("largest_svg_bytes", int(largest));
    EXPECT_LT(largest, 2 * 1024 * 1024) << which.toStdString();
}

// The PDF is one page the picture's size whose texts stay texts: title
// lines, side texts and the legend read back as characters.
TEST_F(MapVectorsTest, PdfTextsStayTexts) {
    const MapResult map = draw(selection(4, 26), QStringLiteral("A07"));
    const QByteArray pdf = MapFile::encode(map, MapFile::Format::Pdf);
    ASSERT_TRUE(pdf.startsWith("%PDF"));
    const QRegularExpressionMatch box =
        QRegularExpression(QStringLiteral("/MediaBox \\[0 0 ([\\d.]+) ([\\d.]+) ?\\]")).match(QString::fromLatin1(pdf));
    ASSERT_TRUE(box.hasMatch());
    EXPECT_DOUBLE_EQ(box.captured(1).toDouble(), 620);
    EXPECT_DOUBLE_EQ(box.captured(2).toDouble(), 460);
    const QStringList texts = PdfText::texts(pdf);
    QStringList trimmed;
    for (const QString &text : texts)
        trimmed << text.trimmed();
    for (const QString &line : map.texts.titleLines)
        EXPECT_TRUE(trimmed.contains(line))
            << line.toStdString() << " in " << texts.join(QLatin1Char('|')).toStdString();
    for (const QString &text :
         {map.texts.mapaDeTitCaption, map.texts.mapaDe, map.texts.nomeLocalText, QStringLiteral("Legenda:"),
          QStringLiteral("Ate"), map.legend.upper(1), map.legend.lower(2)})
        EXPECT_TRUE(trimmed.contains(text))
            << text.toStdString() << " in " << texts.join(QLatin1Char('|')).toStdString();
}

// Areas the table has no row for stay as the study draws them, and their
// title says so.
TEST_F(MapVectorsTest, AnAreaWithoutAFigureKeepsItsGroundAndSaysSo) {
    SelectionState picked = selection(4, 26);
    picked.municipiosSelecionados = {QStringLiteral("/2611606"), QStringLiteral("/2607901")};
    const MapResult map = draw(picked);
    ASSERT_EQ(map.figures.size(), 2);
    const SvgFile file = readSvg(MapFile::encode(map, MapFile::Format::Svg));
    const QStringList names = namesOf(map.areas);
    ASSERT_EQ(file.areaTitles.size(), names.size());
    int withFigure = 0;
    for (int i = 0; i < names.size(); ++i) {
        if (file.areaTitles[i].endsWith(QStringLiteral(" (sem dado)"))) {
            EXPECT_EQ(file.areaTitles[i], names[i] + QStringLiteral(" (sem dado)"));
            const QPoint seed = AreaList::seedOf(map.areas.lines()[i]) + QPoint(0, MapPicture::kTitleBand);
            EXPECT_EQ(map.picture.pixel(seed), map.ground.pixel(seed)) << names[i].toStdString();
        } else {
            ++withFigure;
        }
    }
    EXPECT_EQ(withFigure, 2);
}
