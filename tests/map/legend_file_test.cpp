#include "base/data/app_error.h"
#include "base/data/ini_file.h"
#include "base/data/program_folder.h"
#include "core/map/legend_file.h"
#include "support/ordinary_user.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

MapLegend::Bounds bounds(const QStringList &uppers) {
    MapLegend::Bounds b;
    for (int k = 0; k < MapLegend::kClasses; ++k)
        b[k] = uppers.value(k);
    return b;
}

void put(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray contentsOf(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A program folder with an empty "Mapas/Legendas".
struct LegendFolder {
    LegendFolder() {
        QDir(dir.path()).mkpath(QStringLiteral("Mapas/Legendas"));
        ProgramFolder::setPath(dir.path());
    }
    ~LegendFolder() { ProgramFolder::setPath(QString()); }
    QTemporaryDir dir;
};

} // namespace

// One file per column and grouping level: the level is part of the name.
TEST(LegendFile, OneFilePerColumnAndLevel) {
    LegendFolder folder;
    const QString legends = folder.dir.path() + QStringLiteral("/Mapas/Legendas/");
    EXPECT_EQ(LegendFile::path(QStringLiteral("Grupo.Subgrupo.Atributo"), 4),
              legends + QStringLiteral("LgGrupoSubgrupoAtributo_4.Ini"));
    EXPECT_EQ(LegendFile::path(QStringLiteral("A07"), 0), legends + QStringLiteral("LgA07_0.Ini"));

    LegendFile::write(LegendFile::path(QStringLiteral("A07"), 1), bounds({"10"}));
    EXPECT_TRUE(LegendFile::read(LegendFile::path(QStringLiteral("A07"), 1)).has_value());
    EXPECT_FALSE(LegendFile::read(LegendFile::path(QStringLiteral("A07"), 2)).has_value());
}

TEST(LegendFile, TheFileByteForByte) {
    LegendFolder folder;
    const QString path = LegendFile::path(QStringLiteral("A02.A03"), 2);
    LegendFile::write(path, bounds({"1,40", "2,80", "5,60", "", "", "", "", ""}));
    EXPECT_EQ(contentsOf(path), QByteArray("[Legenda]\r\n"
                                           "Valor Final Faixa 1=1,40\r\n"
                                           "Valor Final Faixa 2=2,80\r\n"
                                           "Valor Final Faixa 3=5,60\r\n"
                                           "Valor Final Faixa 4=\r\n"
                                           "Valor Final Faixa 5=\r\n"
                                           "Valor Final Faixa 6=\r\n"
                                           "Valor Final Faixa 7=\r\n"
                                           "Valor Final Faixa 8=\r\n"));
    const auto read = LegendFile::read(path);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ((*read)[2], QStringLiteral("5,60"));
    EXPECT_EQ((*read)[3], QString());
    // Written through a temporary file: nothing else is left in the folder.
    EXPECT_EQ(QDir(folder.dir.path() + QStringLiteral("/Mapas/Legendas")).entryList(QDir::Files).size(), 1);
}

// A file written by hand, with blanks, other case, other sections and a
// comment, reads as the program's own; saving keeps the other sections.
TEST(LegendFile, ReadsFilesWrittenByOthers) {
    LegendFolder folder;
    const QString path = LegendFile::path(QStringLiteral("A01"), 1);
    put(path, "; feito a mão\n[Outra]\nChave=1\n\n[ legenda ]\nvalor final faixa 2 = 20 \nValor Final Faixa 1=10\n");
    const auto read = LegendFile::read(path);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ((*read)[0], QStringLiteral("10"));
    EXPECT_EQ((*read)[1], QStringLiteral("20"));
    EXPECT_EQ((*read)[2], QString());

    LegendFile::write(path, bounds({"5"}));
    const IniFile saved = IniFile::parse(contentsOf(path));
    EXPECT_EQ(saved.value(QStringLiteral("Outra"), QStringLiteral("Chave")), QStringLiteral("1"));
    EXPECT_EQ(saved.value(QStringLiteral("Legenda"), QStringLiteral("Valor Final Faixa 1")), QStringLiteral("5"));
    EXPECT_EQ(saved.value(QStringLiteral("Legenda"), QStringLiteral("Valor Final Faixa 2")), QString());

    // An editor's UTF-8 with its byte-order mark is read, not taken for damage.
    put(path, "\xEF\xBB\xBF[Legenda]\r\nValor Final Faixa 1=10\r\n; legenda do usu\xC3\xA1rio\r\n");
    ASSERT_EQ(LegendFile::read(path).value()[0], QStringLiteral("10"));
}

TEST(LegendFile, ADamagedFileIsReportedNotRead) {
    LegendFolder folder;
    const QString path = LegendFile::path(QStringLiteral("A01"), 1);
    const QByteArray damaged[] = {
        // The same text in UTF-16.
        QByteArray("\xFF\xFE[\0L\0e\0g\0", 10),
        // A value no bound could be: its message stays short.
        QByteArray("[Legenda]\r\nValor Final Faixa 1=") + QByteArray(10 * 1024 * 1024, '9') + "\r\n",
        QByteArray("[Legenda]\r\nValor Final Faixa 1\r\n"),
        QByteArray("Valor Final Faixa 1=10\r\n"),
        QByteArray("[Outra]\r\nValor Final Faixa 1=10\r\n"),
    };
    for (const QByteArray &bytes : damaged) {
        put(path, bytes);
        try {
            LegendFile::read(path);
            FAIL() << bytes.toStdString();
        } catch (const AppError &error) {
            EXPECT_TRUE(error.message().contains(path)) << error.message().toStdString();
            EXPECT_LT(error.message().size(), 400);
        }
    }
}

// A folder that cannot take the file stops the save with the file's name.
TEST(LegendFile, AFailedSaveNamesTheFileAndChangesNothing) {
    QTemporaryDir dir;
    put(dir.filePath(QStringLiteral("arquivo")), "não é uma pasta");
    const QString path = dir.filePath(QStringLiteral("arquivo/Mapas/Legendas/LgA01_1.Ini"));
    try {
        LegendFile::write(path, bounds({"10"}));
        FAIL() << "a file stands where the folder should be";
    } catch (const AppError &error) {
        EXPECT_TRUE(error.message().startsWith(QStringLiteral("Unable to write to ") + path))
            << error.message().toStdString();
    }
    EXPECT_EQ(contentsOf(dir.filePath(QStringLiteral("arquivo"))), QByteArray("não é uma pasta"));
}

// A legend the user may not read, replace or delete is named with the
// reason in Portuguese; the save keeps its "Unable to write to" line.
TEST(LegendFile, ALegendTheUserMayNotTouchIsNamedWithTheReason) {
    LegendFolder folder;
    const QString legends = folder.dir.filePath(QStringLiteral("Mapas/Legendas"));
    for (const QString &path : {folder.dir.path(), folder.dir.filePath(QStringLiteral("Mapas")), legends})
        ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0755), 0);
    const QString hidden = LegendFile::path(QStringLiteral("A01"), 1);
    put(hidden, "[Legenda]\r\nValor Final Faixa 1=10\r\n");
    ASSERT_EQ(::chmod(QFile::encodeName(hidden).constData(), 0000), 0);
    const QString kept = LegendFile::path(QStringLiteral("A02"), 1);
    put(kept, "[Legenda]\r\nValor Final Faixa 1=10\r\n");

    const UserRun run = runAsOrdinaryUser([&] {
        QStringList messages;
        const auto attempt = [&](const std::function<void()> &step) {
            try {
                step();
                messages << QStringLiteral("feito");
            } catch (const AppError &error) {
                messages << error.message();
            }
        };
        attempt([&] { LegendFile::read(hidden); });
        attempt([&] { LegendFile::remove(kept); });
        attempt([&] { LegendFile::write(kept, bounds({"20"})); });
        return messages.join(QLatin1Char('|'));
    });
    if (run.skipped)
        GTEST_SKIP() << run.report.toStdString();
    const QStringList messages = run.report.split(QLatin1Char('|'));
    ASSERT_EQ(messages.size(), 3) << run.report.toStdString();
    EXPECT_EQ(messages[0], QStringLiteral("Não foi possível ler a legenda %1: permissão negada").arg(hidden));
    EXPECT_EQ(messages[1], QStringLiteral("Não foi possível apagar a legenda %1: permissão negada").arg(kept));
    EXPECT_TRUE(messages[2].startsWith(QStringLiteral("Unable to write to %1\n").arg(kept)))
        << messages[2].toStdString();
    EXPECT_TRUE(messages[2].contains(QStringLiteral("permissão negada"))) << messages[2].toStdString();
    EXPECT_EQ(contentsOf(kept), QByteArray("[Legenda]\r\nValor Final Faixa 1=10\r\n"));
}

TEST(LegendFile, RemoveDeletesTheFileIfThereIsOne) {
    LegendFolder folder;
    const QString path = LegendFile::path(QStringLiteral("A01"), 1);
    LegendFile::remove(path);
    LegendFile::write(path, bounds({"10"}));
    LegendFile::remove(path);
    EXPECT_FALSE(QFile::exists(path));
}

// Beside a study the user may not write, legends are looked up first in the
// user's data folder, then in the study's: a user's legend or "Automática"
// (an empty file) wins over a legend the study ships; the study's legends
// still apply to the columns the user left alone. Saving and "Automática"
// write in the user's folder and leave the study's files as they are.
TEST(LegendFile, BesideAReadOnlyStudyTheUsersLegendsComeFirst) {
    LegendFolder folder;
    for (const QString &path : {folder.dir.path(), folder.dir.filePath(QStringLiteral("Mapas")),
                                folder.dir.filePath(QStringLiteral("Mapas/Legendas"))})
        ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0755), 0);
    const QByteArray shipped("[Legenda]\r\nValor Final Faixa 1=7\r\n");
    // Each case its own column: what the study ships, what the user's folder holds.
    struct Case {
        const char *column;
        bool studyShips;
        const char *user; // nullptr: no file
        const char *expected;
    };
    const Case cases[] = {
        {"A01", true, nullptr, "7"},
        {"A02", true, "[Legenda]\r\nValor Final Faixa 1=9\r\n", "9"},
        {"A03", true, "", "automática"},
        {"A04", false, "[Legenda]\r\nValor Final Faixa 1=9\r\n", "9"},
        {"A05", false, nullptr, "automática"},
    };
    for (const Case &c : cases)
        if (c.studyShips)
            put(folder.dir.filePath(QStringLiteral("Mapas/Legendas/Lg%1_1.Ini").arg(QLatin1String(c.column))), shipped);

    const UserRun run = runAsOrdinaryUser([&] {
        QTemporaryDir home;
        qputenv("XDG_DATA_HOME", QFile::encodeName(home.path()));
        const QString userLegends = home.path() + QStringLiteral("/Solvane/Mapas/Legendas/");
        QDir().mkpath(userLegends);
        QStringList report;
        const auto shown = [](const QString &column) {
            const auto uppers = LegendFile::read(LegendFile::source(column, 1));
            return uppers ? (*uppers)[0] : QStringLiteral("automática");
        };
        for (const Case &c : cases) {
            const QString column = QLatin1String(c.column);
            if (c.user) {
                QFile file(userLegends + QStringLiteral("Lg%1_1.Ini").arg(column));
                if (!file.open(QIODevice::WriteOnly) || file.write(c.user) < 0)
                    return QStringLiteral("cannot prepare the user's legend");
            }
            report << QStringLiteral("%1=%2").arg(column, shown(column));
        }
        // A save, then "Automática" over a shipped legend and over none.
        const QString saved = LegendFile::path(QStringLiteral("A01"), 1);
        report << QStringLiteral("salva em %1").arg(saved.startsWith(userLegends));
        LegendFile::write(saved, bounds({"3"}));
        report << QStringLiteral("A01=%1").arg(shown(QStringLiteral("A01")));
        LegendFile::makeAutomatic(QStringLiteral("A01"), 1);
        report << QStringLiteral("A01=%1 vazia %2")
                      .arg(shown(QStringLiteral("A01")))
                      .arg(QFileInfo(saved).exists() && QFileInfo(saved).size() == 0);
        LegendFile::makeAutomatic(QStringLiteral("A04"), 1);
        report << QStringLiteral("A04=%1 arquivo %2")
                      .arg(shown(QStringLiteral("A04")))
                      .arg(QFileInfo::exists(userLegends + QStringLiteral("LgA04_1.Ini")));
        return report.join(QLatin1Char('|'));
    });
    if (run.skipped)
        GTEST_SKIP() << run.report.toStdString();
    EXPECT_EQ(run.report, QStringLiteral("A01=7|A02=9|A03=automática|A04=9|A05=automática|salva em 1|A01=3|"
                                         "A01=automática vazia 1|A04=automática arquivo 0"));
    EXPECT_EQ(contentsOf(folder.dir.filePath(QStringLiteral("Mapas/Legendas/LgA01_1.Ini"))), shipped);
}

// Where the study's legend folder can be written, as in the build tree, it
// alone is used: a file in the user's folder is not consulted.
TEST(LegendFile, AWritableStudyKeepsItsLegendsToItself) {
    LegendFolder folder;
    const QString userLegends = qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/Solvane/Mapas/Legendas");
    ASSERT_TRUE(QDir().mkpath(userLegends));
    put(userLegends + QStringLiteral("/LgA09_1.Ini"), "[Legenda]\r\nValor Final Faixa 1=9\r\n");
    EXPECT_EQ(LegendFile::path(QStringLiteral("A09"), 1), folder.dir.filePath(QStringLiteral("Mapas/Legendas/LgA09_1.Ini")));
    EXPECT_EQ(LegendFile::source(QStringLiteral("A09"), 1), LegendFile::path(QStringLiteral("A09"), 1));
    EXPECT_FALSE(LegendFile::read(LegendFile::source(QStringLiteral("A09"), 1)).has_value());
    QFile::remove(userLegends + QStringLiteral("/LgA09_1.Ini"));
}
