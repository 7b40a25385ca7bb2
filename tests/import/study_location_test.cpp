#include "base/data/app_error.h"
#include "base/data/study_location.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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
