#include "core/map/legend_file.h"
#include "core/map/map_file.h"
#include "sample_result.h"
#include "support/pdf_text.h"
#include "ui/map/map_page.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// solvane-export --mapa run as a user runs it, on the sample study beside it.
namespace {

struct ExportRun {
    int status;
    QString err;
};

ExportRun exportMap(const QStringList &arguments) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // No display and no platform chosen: the command finds its own way.
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    process.setProcessEnvironment(env);
    process.start(kStudy + QStringLiteral("/solvane-export"), arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
}

QStringList mapArguments(const QStringList &selection, const QString &coluna, const QString &file) {
    return QStringList{QStringLiteral("--topico"), QStringLiteral("01.01.01")} + selection +
           QStringList{QStringLiteral("--coluna"), coluna, QStringLiteral("--mapa"), file};
}

class MapExportTest : public ::testing::Test, public SampleResult {
  protected:
    QTemporaryDir dir;
};

} // namespace

// The PNG the command writes holds the very pixels the map page shows and
// keeps for export.
TEST_F(MapExportTest, ThePngIsThePagesPicture) {
    const QString png = dir.filePath(QStringLiteral("mapa.png"));
    const ExportRun run = exportMap(mapArguments(
        {QStringLiteral("--agrupar"), QStringLiteral("municipio"), QStringLiteral("--uf"), QStringLiteral("26")},
        QStringLiteral("A07"), png));
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.err, QString());

    MapPage page(db);
    page.enter(this->run(selection(4, 26), QStringLiteral("A07")));
    const QImage written(png);
    ASSERT_EQ(written.size(), QSize(620, 460));
    EXPECT_EQ(written.convertToFormat(QImage::Format_RGB32), page.picture().convertToFormat(QImage::Format_RGB32));
}

TEST_F(MapExportTest, FormatFollowsTheExtension) {
    const struct {
        const char *name;
        const char *format;
    } cases[] = {{"mapa.jpg", "jpeg"}, {"mapa.JPEG", "jpeg"}, {"mapa.bmp", "bmp"}};
    for (const auto &c : cases) {
        const QString file = dir.filePath(QLatin1String(c.name));
        const ExportRun run =
            exportMap(mapArguments({QStringLiteral("--agrupar"), QStringLiteral("uf")}, QStringLiteral("A01"), file));
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        // The name as given, not turned into ".JPG".
        QFile written(file);
        ASSERT_TRUE(written.open(QIODevice::ReadOnly)) << c.name;
        const QByteArray head = written.read(4);
        if (QLatin1String(c.format) == QLatin1String("jpeg"))
            EXPECT_TRUE(head.startsWith("\xFF\xD8\xFF")) << c.name;
        else
            EXPECT_TRUE(head.startsWith("BM")) << c.name;
        EXPECT_EQ(QImage(file).size(), QSize(620, 460)) << c.name;
    }
}

TEST_F(MapExportTest, RefusalsAndBadColumnsEndWithStatus2) {
    const QString file = dir.filePath(QStringLiteral("mapa.png"));
    const struct {
        QStringList selection;
        const char *coluna;
        const char *message;
    } cases[] = {
        {{QStringLiteral("--agrupar"), QStringLiteral("rm")}, "A01", "deve se agrupar"},
        {{QStringLiteral("--agrupar"), QStringLiteral("microrregiao")}, "A01", "Para ver o mapa da Microrregiao"},
        {{QStringLiteral("--agrupar"), QStringLiteral("municipio")}, "A01", "deve se escolher a Unidade Federação"},
        {{QStringLiteral("--agrupar"), QStringLiteral("uf")}, "Z99", "não tem a coluna de valores \"Z99\""},
        // A group's own name is not a value column.
        {{QStringLiteral("--agrupar"), QStringLiteral("uf")}, "A02", "não tem a coluna de valores \"A02\""},
    };
    for (const auto &c : cases) {
        const ExportRun run = exportMap(mapArguments(c.selection, QLatin1String(c.coluna), file));
        EXPECT_EQ(run.status, 2) << c.message;
        EXPECT_TRUE(run.err.startsWith(QStringLiteral("solvane-export: "))) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.message))) << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(file));
    }

    const ExportRun gif = exportMap(mapArguments({}, QStringLiteral("A01"), dir.filePath(QStringLiteral("m.gif"))));
    EXPECT_EQ(gif.status, 2);
    EXPECT_TRUE(gif.err.contains(QStringLiteral("formato de imagem desconhecido"))) << gif.err.toStdString();
    const ExportRun noColumn = exportMap({QStringLiteral("--topico"), QStringLiteral("01.01.01"),
                                          QStringLiteral("--mapa"), file});
    EXPECT_EQ(noColumn.status, 2);
}

// The vector maps the command writes are the page's map through the same
// writer: the SVG byte for byte, the PDF with the same texts.
TEST_F(MapExportTest, VectorMapsAreThoseOfTheMapPage) {
    const QStringList pe = {QStringLiteral("--agrupar"), QStringLiteral("municipio"), QStringLiteral("--uf"),
                            QStringLiteral("26")};
    const CurrentResult &result = this->run(selection(4, 26), QStringLiteral("A07"));
    MapLegend legend;
    const MapResult map = MapDrawing::MostraMapa(db, result, result.mark(), legend, true);
    for (const char *name : {"mapa.svg", "MAPA.PDF"}) {
        const QString file = dir.filePath(QLatin1String(name));
        const ExportRun run = exportMap(mapArguments(pe, QStringLiteral("A07"), file));
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        QFile written(file);
        ASSERT_TRUE(written.open(QIODevice::ReadOnly)) << name;
        const QByteArray bytes = written.readAll();
        if (QByteArray(name).endsWith("svg"))
            EXPECT_EQ(bytes, MapFile::encode(map, MapFile::Format::Svg));
        else
            EXPECT_EQ(PdfText::texts(bytes), PdfText::texts(MapFile::encode(map, MapFile::Format::Pdf)));
    }
}
