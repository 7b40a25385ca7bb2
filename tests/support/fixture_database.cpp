#include "support/fixture_database.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <sqlite3.h>

FixtureDatabase::FixtureDatabase(const QString &sqlScript, const QString &relativePath) {
    m_path = m_dir.filePath(relativePath);
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    sqlite3 *db = nullptr;
    const QByteArray file = m_path.toUtf8();
    EXPECT_EQ(sqlite3_open(file.constData(), &db), SQLITE_OK);
    char *message = nullptr;
    const QByteArray script = sqlScript.toUtf8();
    const int rc = sqlite3_exec(db, script.constData(), nullptr, nullptr, &message);
    EXPECT_EQ(rc, SQLITE_OK) << (message ? message : "");
    sqlite3_free(message);
    sqlite3_close(db);
}
