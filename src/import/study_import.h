#pragma once

#include <QString>

#include <cstdio>

// Copies every table of a published study (an Access file) into a new
// SQLite file, streaming the rows. Progress goes to a stream, one line a
// table ("Importando 020101: 5 570 linhas"), with a bar redrawn in place when
// the stream is a terminal.
namespace StudyImport {

// Raises AppError naming source or shownTarget on any failure; the file is
// then left as it is for the caller to remove.
void copy(const QString &source, const QString &file, const QString &shownTarget, std::FILE *progress);

// The count of rows as the progress lines write it: groups of three digits
// apart ("5 570").
QString rowCount(qint64 rows);

} // namespace StudyImport
