#include "support/export_process.h"
#include "support/qstring_printer.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// solvane-export under a limit of its address space, as "ulimit -v" sets
// it, for every kind of picture and workbook it writes: whatever the limit,
// once the program starts at all, it ends with status 0 and the file, or
// status 1 and a message that says memory was short; never an abort, a
// crash or an endless wait (the two minutes a run may take only tell a
// wait from an end). Run on the normal build: the sanitizers reserve more
// address space than any of these limits.
namespace {

const QString kProgram = QStringLiteral(SOLVANE_PROGRAM_DIR "/solvane-export");

} // namespace

TEST(ExportUnderAMemoryLimit, EveryOutputEndsWithItsFileOrAMessage) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer needs more address space than the limits leave";
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    GTEST_SKIP() << "AddressSanitizer needs more address space than the limits leave";
#endif
#endif
    const struct {
        const char *option;
        const char *file;
    } outputs[] = {
        {"--grafico", "grafico.pdf"}, {"--grafico", "grafico.svg"}, {"--grafico", "grafico.png"},
        {"--grafico", "grafico.jpg"}, {"--grafico", "grafico.bmp"}, {"--grafico", "grafico.xlsx"},
        {"--mapa", "mapa.jpg"},       {"--mapa", "mapa.png"},       {"--mapa", "mapa.xlsx"},
        {"--planilha", "dados.xlsx"},
    };
    // In megabytes: from where the command's own libraries load to where
    // every output fits, closer together where the drawing program's
    // libraries and the pictures meet the limit.
    const int limits[] = {56, 64, 70, 74, 76, 77, 78, 79, 80, 81, 82, 83, 84, 86, 90, 100, 110, 120, 140, 512};
    int written = 0;
    for (const int megabytes : limits) {
        for (const auto &output : outputs) {
            SCOPED_TRACE(QStringLiteral("%1 MB, %2").arg(megabytes).arg(QLatin1String(output.file)).toStdString());
            QTemporaryDir dir;
            const QString file = dir.filePath(QLatin1String(output.file));
            const ExportProcess run = ExportProcess::run(
                kProgram,
                {"--topico", "01.01.01", "--agrupar", "uf", "--coluna", "A07", QLatin1String(output.option), file},
                qint64(megabytes) << 20);
            // The command's own libraries did not fit: it never started, or
            // a library's start-up (the OpenMP runtime under Qt's hashing)
            // ended it before the command's first line ran.
            if (run.status == 127 && run.err.startsWith(kProgram + QStringLiteral(": error while loading shared")))
                continue;
            if (run.err.trimmed() == QStringLiteral("libgomp: Out of memory allocating 8 bytes"))
                continue;
            ASSERT_GE(run.status, 0) << run.err.toStdString();
            EXPECT_TRUE(run.status == 0 || run.status == 1) << run.status << " " << run.err.toStdString();
            const QStringList lines = run.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
            if (run.status == 0) {
                ++written;
                EXPECT_GT(QFileInfo(file).size(), 0);
            } else {
                ASSERT_FALSE(lines.isEmpty());
                EXPECT_TRUE(lines.last().startsWith(QStringLiteral("solvane-export: "))) << run.err.toStdString();
                EXPECT_TRUE(lines.last().contains(QStringLiteral("memória"))) << run.err.toStdString();
                EXPECT_FALSE(QFileInfo::exists(file));
            }
            // Nothing half written is left beside the file.
            EXPECT_LE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(),
                      run.status == 0 ? 1 : 0);
        }
    }
    // The largest limit holds every output.
    EXPECT_GE(written, int(std::size(outputs)));
}

// Under a file-size limit ("ulimit -f") every output fails with the limit
// named on the user's file, keeps the old file whole and leaves no
// temporary file, where the system's signal used to end the program
// silently.
TEST(ExportUnderAFileSizeLimit, EveryOutputFailsOnItsFileAndLeavesTheOldOneWhole) {
    const struct {
        const char *option;
        const char *file;
    } outputs[] = {
        {"--saida", "tabela.txt"},    {"--planilha", "dados.xlsx"}, {"--grafico", "grafico.pdf"},
        {"--grafico", "grafico.png"}, {"--mapa", "mapa.png"},       {"--mapa", "mapa.xlsx"},
    };
    for (const auto &output : outputs) {
        SCOPED_TRACE(output.file);
        QTemporaryDir dir;
        const QString file = dir.filePath(QLatin1String(output.file));
        QFile old(file);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("antigo");
        old.close();
        // 4 blocks of 512 bytes: less than any of these outputs.
        const ExportProcess run = ExportProcess::run(
            QStringLiteral("/bin/bash"),
            {QStringLiteral("-c"), QStringLiteral("ulimit -f 4; exec \"$0\" \"$@\""), kProgram, "--topico", "02.01.01",
             "--agrupar", "municipio", "--uf", "26", "--coluna", "A06", QLatin1String(output.option), file});
        EXPECT_EQ(run.status, 1) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("\"%1\"").arg(file))) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("arquivo grande demais"))) << run.err.toStdString();
        ASSERT_TRUE(old.open(QIODevice::ReadOnly));
        EXPECT_EQ(old.readAll(), QByteArray("antigo"));
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                  QStringList{QLatin1String(output.file)});
    }
}
