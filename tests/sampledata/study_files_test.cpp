// The documents, the help file and the pictures the build writes beside
// the program, under the names the windows open.
#include "generated_study.h"

#include "picture_painter.h"

#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

QByteArray readAll(const QString &relativePath) {
    QFile file(GeneratedStudy::file(relativePath));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(SampleStudyFiles, AttachmentsAreRealDocumentsUnderTheNamesTheDialogOpens) {
    const struct {
        const char *path;
        const char *magic;
    } documents[] = {{"Anexos/Relatório_Solvane2005.pdf", "%PDF-"},
                     {"Anexos/Solvane2005_Anexo.pdf", "%PDF-"},
                     {"Anexos/Solvane2005_Anexo.xlsx", "PK\x03\x04"}};
    for (const auto &d : documents) {
        const QByteArray bytes = readAll(QString::fromUtf8(d.path));
        EXPECT_GT(bytes.size(), 4000) << d.path;
        EXPECT_TRUE(bytes.startsWith(d.magic)) << d.path;
    }
    EXPECT_TRUE(readAll(QStringLiteral("Anexos/Solvane2005_Anexo.xlsx")).contains("xl/worksheets/sheet3.xml"));
}

TEST(SampleStudyFiles, PicturesAreThoseTheListPromisesWithTheirSizes) {
    QFile list(QStringLiteral(SOLVANE_SOURCE_DIR "/docs/pictures.md"));
    ASSERT_TRUE(list.open(QIODevice::ReadOnly));
    static const QRegularExpression row(QStringLiteral("^\\|([^|]*\\.png[^|]*)\\|\\s*(\\d+) × (\\d+)"));
    static const QRegularExpression name(QStringLiteral("`([a-z_]+\\.png)`"));
    QStringList documented;
    for (const QString &line : QString::fromUtf8(list.readAll()).split(QLatin1Char('\n'))) {
        const auto r = row.match(line);
        if (!r.hasMatch())
            continue;
        const QSize size(r.captured(2).toInt(), r.captured(3).toInt());
        auto it = name.globalMatch(r.captured(1));
        while (it.hasNext()) {
            const QString file = it.next().captured(1);
            documented << file;
            const QImage picture(GeneratedStudy::file(QStringLiteral("Imagens/") + file));
            EXPECT_FALSE(picture.isNull()) << qPrintable(file);
            EXPECT_EQ(picture.size(), size) << qPrintable(file);
        }
    }
    documented.sort();
    QStringList drawn = PicturePainter::fileNames();
    drawn.sort();
    EXPECT_EQ(documented, drawn);
}
