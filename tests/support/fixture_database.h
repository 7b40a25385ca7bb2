#pragma once

#include <QString>
#include <QTemporaryDir>

// A small study database written from readable SQL into a temporary folder,
// removed with the object.
class FixtureDatabase {
public:
    // Runs the script; a failing statement fails the test that built it.
    explicit FixtureDatabase(const QString &sqlScript, const QString &relativePath = QStringLiteral("Dados/Solvane.db"));

    QString path() const { return m_path; }
    // The folder that plays the program's folder (parent of Dados/).
    QString folder() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QString m_path;
};
