#pragma once

#include <QByteArray>
#include <QChar>
#include <QStringList>
#include <vector>

class ResultTable;

// The result table as a delimited text file: a title line, then one line per
// row (total rows included) with the plain values, all separated by one
// character. Only a value holding the separator is quoted (between double
// quotes, its own quotes doubled), so that the file reads back as written.
namespace TextExport {

// The fields written, in order: the shown top-level plain fields, then every
// value attribute of FAtributos that is not one of those (a top-level value
// field is written once).
std::vector<int> columns(const ResultTable &cdsDados, const QStringList &FAtributos);

// The file's bytes: the title line and the row lines, every line followed
// by CR LF, in Windows-1252 or, on request, UTF-8. Leaves the table on its
// first row.
QByteArray bytes(ResultTable &cdsDados, const QStringList &FAtributos, QChar separator, bool utf8 = false);

// Writes the bytes in place of the file at path through a temporary file in
// the same folder: a failure raises an error and leaves any previous file
// untouched.
void write(const QString &path, const QByteArray &bytes);

} // namespace TextExport
