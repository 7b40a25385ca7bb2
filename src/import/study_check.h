#pragma once

#include <QString>
#include <QStringList>

// Whether a database holds what the program's statements read: the
// territory tables, the topic catalogue with its notes, and every data table
// the catalogue names with its fixed columns and its figure columns.
namespace StudyCheck {

// What is missing, one Portuguese phrase each ("a tabela \"Regiao\"", "a
// coluna \"A03\" da tabela \"010101\""); empty for a whole study. Raises
// AppError when the database cannot be read at all.
QStringList missing(const QString &database);

// Raises AppError naming sourceFile and every missing table and column
// when the database is not a whole study.
void require(const QString &database, const QString &sourceFile);

} // namespace StudyCheck
