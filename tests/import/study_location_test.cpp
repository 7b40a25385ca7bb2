#include "base/data/app_error.h"
#include "base/data/study_location.h"
#include "support/ordinary_user.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

void put(const QString &path, const QDateTime &modified) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("x");
    file.flush();
    ASSERT_TRUE(file.setFileTime(modified, QFileDevice::FileModificationTime));
}

} // namespace

// Which database a study folder opens, and when its published file is
// imported first: the imported study is reused while the published file is
// not newer, and the published file's name may come in any letter case.
TEST(StudyLocationTest, TheFolderDecidesWhatIsOpenedAndWhenToImport) {
    const QDateTime old = QDateTime::currentDateTime().addDays(-2);
    const QDateTime recent = QDateTime::currentDateTime().addDays(-1);
    const struct {
        const char *name;
        const char *published; // empty: none
        QDateTime publishedTime;
        bool database;
        QDateTime databaseTime;
        bool importDue;
    } cases[] = {
        {"só o estudo", "", {}, true, old, false},
        {"só o publicado", "Solvane.Mdb", recent, false, {}, true},
        {"publicado em maiúsculas", "SOLVANE.MDB", recent, false, {}, true},
        {"importado depois", "solvane.mdb", old, true, recent, false},
        {"publicado mais novo", "Solvane.Mdb", recent, true, old, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        if (*c.published)
            put(dir.filePath(QStringLiteral("Dados/") + QLatin1String(c.published)), c.publishedTime);
        if (c.database)
            put(dir.filePath(QStringLiteral("Dados/Solvane.db")), c.databaseTime);
        const StudyLocation::Found found = StudyLocation::find(dir.path());
        EXPECT_EQ(found.database, dir.filePath(QStringLiteral("Dados/Solvane.db")));
        EXPECT_EQ(found.importDue, c.importDue);
        EXPECT_EQ(found.published,
                  *c.published ? dir.filePath(QStringLiteral("Dados/") + QLatin1String(c.published)) : QString());
    }
}

// With no study at all the message says where it looked and how to point the
// program at a study.
TEST(StudyLocationTest, NoStudySaysWhereItLookedAndWhatToDo) {
    QTemporaryDir dir;
    try {
        StudyLocation::find(dir.path());
        FAIL() << "no error";
    } catch (const AppError &error) {
        EXPECT_TRUE(error.message().contains(dir.filePath(QStringLiteral("Dados/Solvane.db"))));
        EXPECT_TRUE(error.message().contains(QStringLiteral("Solvane.Mdb")));
        EXPECT_TRUE(error.message().contains(QStringLiteral("--estudo PASTA")));
    }
}

// A published study in a folder the user may not write is imported into the
// user's data folder, the same for every program (the exporter's own name
// must not choose another folder), and that copy is what the folder opens
// once it is current.
TEST(StudyLocationTest, APublishedStudyBesideNoWritableFolderGoesToTheUsersDataFolder) {
    QTemporaryDir dir;
    const QString published = dir.filePath(QStringLiteral("Dados/Solvane.Mdb"));
    put(published, QDateTime::currentDateTime().addDays(-1));
    for (const QString &folder : {dir.path(), dir.filePath(QStringLiteral("Dados"))})
        ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), 0555), 0);
    const UserRun run = runAsOrdinaryUser([&] {
        QTemporaryDir home;
        qputenv("XDG_DATA_HOME", QFile::encodeName(home.path()));
        QCoreApplication::setApplicationName(QStringLiteral("solvane-export"));
        const QString target = StudyLocation::importTarget(published);
        QStringList report{target.startsWith(home.path() + QStringLiteral("/Solvane/Estudos/")) ? QStringLiteral("ok")
                                                                                               : target};
        report << QString::number(StudyLocation::find(dir.path()).importDue);
        QDir().mkpath(QFileInfo(target).path());
        QFile imported(target);
        if (imported.open(QIODevice::WriteOnly))
            imported.write("x");
        imported.close();
        const StudyLocation::Found found = StudyLocation::find(dir.path());
        report << QString::number(found.importDue) << QString::number(found.database == target);
        return report.join(u' ');
    });
    ::chmod(QFile::encodeName(dir.filePath(QStringLiteral("Dados"))).constData(), 0755);
    ::chmod(QFile::encodeName(dir.path()).constData(), 0755);
    if (run.skipped)
        GTEST_SKIP() << run.report.toStdString();
    EXPECT_EQ(run.report, QStringLiteral("ok 1 0 1"));
}
